#include "test_media.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace fake {
namespace {

struct Stored {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

struct ClipSize {
    std::string_view name;
    std::uint32_t samples;
};

constexpr std::array<ClipSize, 7> clipSizes{{
    {"START", 37077},
    {"RED", 13430},
    {"BLUE", 9443},
    {"YELLOW", 10951},
    {"GREEN", 12181},
    {"ATARI", 17981},
    {"HAZURE", 12366},
}};

constexpr std::array<std::string_view, 10> pictureNames{
    "QUAUTER1",  "QUAUTER11", "QUAUTER2",  "QUAUTER22", "QUAUTER3",
    "QUAUTER33", "QUAUTER4",  "QUAUTER44", "SMILE",     "BAD"};

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

// 8-bit mono PCM at 22050 Hz, silent, with the pad byte RIFF asks after an odd chunk.
std::vector<std::uint8_t> silentWave(std::uint32_t samples) {
    const std::uint32_t pad = samples % 2;
    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 4 + (8 + 16) + (8 + samples + pad));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, 22050);
    put32(out, 22050);
    put16(out, 1);
    put16(out, 8);
    putTag(out, "data");
    put32(out, samples);
    out.insert(out.end(), samples + pad, 0x80);
    return out;
}

const std::vector<Stored>& storage() {
    static const std::vector<Stored> items = [] {
        std::vector<Stored> all;
        for (const ClipSize& clip : clipSizes)
            all.push_back({std::string(clip.name), silentWave(clip.samples)});
        for (std::string_view name : pictureNames)
            all.push_back({std::string(name), std::vector<std::uint8_t>(name.begin(), name.end())});
        return all;
    }();
    return items;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

media::Catalogue catalogue(std::string_view without) {
    std::vector<media::Item> items;
    for (const Stored& stored : storage())
        if (without.empty() || !sameIgnoringCase(stored.name, without))
            items.push_back({stored.name, stored.bytes});
    return media::Catalogue(std::move(items));
}

std::string clipName(std::span<const std::uint8_t> wave) {
    for (const Stored& stored : storage())
        if (std::ranges::equal(stored.bytes, wave)) return stored.name;
    return "?";
}

bool isStored(std::span<const std::uint8_t> bytes) {
    const std::uint8_t* start = bytes.data();
    return std::ranges::any_of(storage(), [&](const Stored& stored) {
        return !stored.bytes.empty() && std::less_equal<>{}(stored.bytes.data(), start) &&
               std::less<>{}(start, stored.bytes.data() + stored.bytes.size());
    });
}

std::chrono::microseconds clipLength(std::span<const std::uint8_t> wave) {
    for (std::size_t at = 12; at + 8 <= wave.size();) {
        const std::uint32_t size = read32(wave, at + 4);
        if (std::ranges::equal(wave.subspan(at, 4), std::string_view("data")))
            return std::chrono::microseconds(std::int64_t{size} * 1'000'000 / 22050);
        at += 8 + size + size % 2;
    }
    return {};
}

std::chrono::microseconds clipLength(std::string_view clip) {
    return clipLength(catalogue().find(clip).bytes);
}

}  // namespace fake
