#include "tests/sound/test_clips.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>

Bytes samples(std::size_t count, std::uint32_t seed) {
    std::mt19937 draw(seed);
    std::uniform_int_distribution<int> value(0, 254);
    Bytes out(count);
    for (auto& s : out) {
        const int v = value(draw);
        s = static_cast<std::uint8_t>(v < 0x80 ? v : v + 1);
    }
    return out;
}

namespace {

void put(Bytes& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

void put(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

Bytes waveImage(std::span<const std::uint8_t> data, std::uint16_t formatTag) {
    const auto size = static_cast<std::uint32_t>(data.size());
    const std::uint32_t padded = size + (size & 1);
    Bytes out;
    put(out, "RIFF");
    put(out, 4 + 8 + 16 + 8 + padded, 4);
    put(out, "WAVE");
    put(out, "fmt ");
    put(out, 16, 4);
    put(out, formatTag, 2);
    put(out, 1, 2);      // channels
    put(out, 22050, 4);  // samples per second
    put(out, 22050, 4);  // bytes per second
    put(out, 1, 2);      // block alignment
    put(out, 8, 2);      // bits per sample
    put(out, "data");
    put(out, size, 4);
    out.insert(out.end(), data.begin(), data.end());
    if (size & 1) out.push_back(0x00);
    return out;
}

double lengthMs(std::size_t sampleCount) {
    return static_cast<double>(sampleCount) * 1000.0 / 22050;
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t find(const Bytes& bytes, const Bytes& run, std::size_t from) {
    const auto start = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(from, bytes.size()));
    return static_cast<std::size_t>(std::search(start, bytes.end(), run.begin(), run.end()) -
                                    bytes.begin());
}

bool silent(const Bytes& bytes, std::size_t from, std::size_t to) {
    return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                       bytes.begin() + static_cast<std::ptrdiff_t>(to),
                       [](std::uint8_t s) { return s == 0x80; });
}
