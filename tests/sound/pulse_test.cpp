// Playback through a private PulseAudio server whose null sink is recorded with parec.
#include "pulse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>
#include <vector>

#include "app/sound.h"
#include "temp_dir.h"
#include "tests/sound/test_clips.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

Clock::duration at(std::size_t offset) {
    return std::chrono::microseconds(static_cast<std::int64_t>(offset) * 1'000'000 / 22050);
}

// A private server, and a recording of what it plays.
class PulseServer : public testing::Test {
protected:
    void SetUp() override {
        if (!support::PrivatePulse::available()) {
            GTEST_SKIP() << "pulseaudio, parec or pactl missing";
        }
        ASSERT_FALSE(dir_.path().empty());
        setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
        setenv("PULSE_SERVER", pulse_.address().c_str(), 1);
        ASSERT_TRUE(pulse_.start()) << "server did not come up";
    }

    // Starts recording and watches it arrive for a while, to learn when its first sample played.
    void record() {
        recorder_.emplace(pulse_, dir_.path() / "recording.wav");
        arrivals_.clear();
        for (const auto until = Clock::now() + 500ms; Clock::now() < until;) {
            std::error_code error;
            const auto size = fs::file_size(recorder_->file(), error);
            if (!error) arrivals_.emplace_back(Clock::now(), size);
            std::this_thread::sleep_for(1ms);
        }
    }

    struct Heard {
        Bytes samples;
        Clock::time_point start;  // the latest moment its first sample can have been played
    };

    Heard recorded() {
        const std::size_t header = recorder_->headerBytes();
        Heard heard{recorder_->finish(), Clock::time_point::max()};
        EXPECT_NE(header, 0u) << "no recording";
        for (const auto& [when, size] : arrivals_) {
            if (header != 0 && size > header) {
                heard.start = std::min(heard.start, when - at(size - header));
            }
        }
        return heard;
    }

    support::TempDir dir_{"melquad_pulse"};
    support::PrivatePulse pulse_{dir_.path()};
    std::optional<support::Recorder> recorder_;
    std::vector<std::pair<Clock::time_point, std::size_t>> arrivals_;
};

TEST_F(PulseServer, ClipsAreHeardExactlyAndPlayReturnsAfterTheirLastSample) {
    // A fresh server drops the start of a recording begun as its first stream starts.
    Sound sound;
    std::this_thread::sleep_for(3s);
    ASSERT_NO_FATAL_FAILURE(record());

    const Bytes clips[] = {samples(13430, 11), samples(9443, 12), samples(10951, 13)};
    std::vector<Clock::time_point> calls, returns;
    for (const Bytes& clip : clips) {
        calls.push_back(Clock::now());
        sound.play(waveImage(clip));
        returns.push_back(Clock::now());
    }
    std::this_thread::sleep_for(300ms);
    const Heard heard = recorded();
    ASSERT_NE(heard.start, Clock::time_point::max());

    std::size_t from = 0;
    for (std::size_t i = 0; i < std::size(clips); ++i) {
        const std::size_t first = find(heard.samples, clips[i], from);
        ASSERT_LT(first, heard.samples.size()) << "clip " << i << " not heard in order";
        EXPECT_TRUE(silent(heard.samples, from, first)) << "noise before clip " << i;
        from = first + clips[i].size();
        const auto lastHeard = heard.start + at(from);
        std::cout << "  clip " << i << ": length " << ms(at(clips[i].size())) << " ms, play "
                  << ms(returns[i] - calls[i]) << " ms, first sample heard at most "
                  << ms(heard.start + at(first) - calls[i])
                  << " ms after the call, play returned at least " << ms(returns[i] - lastHeard)
                  << " ms after the last\n";
        EXPECT_GE(returns[i], lastHeard);
    }
}

double playMs(Sound& sound, std::span<const std::uint8_t> wave) {
    const auto start = Clock::now();
    sound.play(wave);
    return ms(Clock::now() - start);
}

TEST_F(PulseServer, LostServerLeavesPlaysTheirLengthAndSoundComesBack) {
    Sound sound;
    std::this_thread::sleep_for(1s);
    const Bytes image = waveImage(samples(9443, 21));
    const double length = ms(at(9443));
    std::thread loss([this] {
        std::this_thread::sleep_for(100ms);
        pulse_.stop();
    });
    for (int i = 0; i < 2; ++i) {  // the server goes away during the first
        const double played = playMs(sound, image);
        std::cout << "  server lost: length " << length << " ms, play " << played << " ms\n";
        EXPECT_GE(played, length - 1);
        EXPECT_LE(played, length + 50);
    }
    loss.join();

    ASSERT_TRUE(pulse_.start()) << "server did not come back";
    ASSERT_NO_FATAL_FAILURE(record());
    std::this_thread::sleep_for(3s);  // the device is asked for again only every few seconds
    const Bytes back[] = {samples(9443, 22), samples(9443, 23), samples(9443, 24)};
    for (const Bytes& clip : back) {
        std::cout << "  server back: play " << playMs(sound, waveImage(clip)) << " ms\n";
    }
    std::this_thread::sleep_for(300ms);  // the recorder writes what it hears a little later
    const Bytes heard = recorded().samples;
    // The play that finds the device again is silent; those after it are heard whole.
    EXPECT_LT(find(heard, back[1]), heard.size());
    EXPECT_LT(find(heard, back[2]), heard.size());
}

}  // namespace
