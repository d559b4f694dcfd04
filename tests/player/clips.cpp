#include "clips.h"

#include <algorithm>
#include <functional>
#include <map>

#include "media/bytes.h"
#include "media/items.h"

namespace player {
namespace {

constexpr std::uint8_t silence = 0x80;

std::vector<std::uint8_t> dataChunk(const media::Bytes& wave) {
    for (std::size_t at = 12; at + 8 <= wave.size();) {
        const std::size_t size = media::get32(&wave[at + 4]);
        if (std::equal(wave.begin() + static_cast<std::ptrdiff_t>(at),
                       wave.begin() + static_cast<std::ptrdiff_t>(at + 4), "data"))
            return {wave.begin() + static_cast<std::ptrdiff_t>(at + 8),
                    wave.begin() + static_cast<std::ptrdiff_t>(at + 8 + size)};
        at += 8 + size + (size & 1);
    }
    return {};
}

const std::map<std::string, std::vector<std::uint8_t>, std::less<>>& clips() {
    static const auto all = [] {
        std::map<std::string, std::vector<std::uint8_t>, std::less<>> out;
        for (const media::Entry& entry : media::entries())
            if (entry.kind == media::Kind::Clip)
                out[std::string(entry.name)] = dataChunk(entry.make());
        return out;
    }();
    return all;
}

}  // namespace

std::span<const std::uint8_t> samplesOf(std::string_view clip) {
    const auto found = clips().find(clip);
    if (found == clips().end()) return {};
    return found->second;
}

Clock::duration samplesLength(std::size_t count) {
    return std::chrono::microseconds(static_cast<std::int64_t>(count) * 1'000'000 / 22050);
}

Clock::duration lengthOf(std::string_view clip) { return samplesLength(samplesOf(clip).size()); }

std::vector<Heard> hear(std::span<const std::uint8_t> recording, Clock::time_point start,
                        const std::vector<Cue>& cues, std::string& fault) {
    std::vector<Heard> heard;
    auto quiet = [&](std::size_t from, std::size_t to) {
        return std::all_of(recording.begin() + static_cast<std::ptrdiff_t>(from),
                           recording.begin() + static_cast<std::ptrdiff_t>(to),
                           [](std::uint8_t s) { return s == silence; });
    };
    std::size_t from = 0;
    for (const Cue& cue : cues) {
        const auto clip = samplesOf(cue.clip);
        const auto found =
            std::search(recording.begin() + static_cast<std::ptrdiff_t>(from), recording.end(),
                        std::boyer_moore_horspool_searcher(clip.begin(), clip.end()));
        if (clip.empty() || found == recording.end()) {
            fault = "clip " + std::to_string(heard.size() + 1) + " (" + cue.clip +
                    ") is not in the recording after the one before";
            return heard;
        }
        const auto at = static_cast<std::size_t>(found - recording.begin());
        if (!quiet(from, at)) {
            fault = "something else was heard before clip " + std::to_string(heard.size() + 1) +
                    " (" + cue.clip + ")";
            return heard;
        }
        Cue timed = cue;
        // A flash that follows one of its own colour shows nothing new: its clip is due after
        // the one before and the pause.
        if (!cue.exact && !heard.empty())
            timed.at = heard.back().end + std::chrono::milliseconds(100);
        from = at + clip.size();
        heard.push_back({timed, start + samplesLength(at), start + samplesLength(from)});
    }
    if (!quiet(from, recording.size())) fault = "something was heard after the last clip";
    return heard;
}

}  // namespace player
