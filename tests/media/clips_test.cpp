#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "le.h"
#include "media/embedded.h"

namespace {

struct ClipCase {
    const char* name;
    std::uint32_t samples;
};

void PrintTo(const ClipCase& c, std::ostream* os) { *os << c.name; }

const ClipCase clips[] = {
    {"START", 37077}, {"RED", 13430},   {"BLUE", 9443},    {"YELLOW", 10951},
    {"GREEN", 12181}, {"ATARI", 17981}, {"HAZURE", 12366},
};

std::span<const std::uint8_t> wave(const std::string& name) {
    return media::embedded().find(name).bytes;
}

std::span<const std::uint8_t> samplesOf(const std::string& name) {
    return wave(name).subspan(44, u32(wave(name), 40));
}

// Sign changes around silence per sample: twice the pitch over the rate, for a plain tone.
double crossingRate(std::span<const std::uint8_t> s) {
    int crossings = 0;
    for (std::size_t i = 1; i < s.size(); ++i) crossings += (s[i - 1] < 128) != (s[i] < 128);
    return double(crossings) / double(s.size());
}

class Clip : public testing::TestWithParam<ClipCase> {};

TEST_P(Clip, IsAnExactRiffWaveImage) {
    auto [name, samples] = GetParam();
    auto b = wave(name);
    std::uint32_t pad = samples % 2;
    ASSERT_EQ(b.size(), 44 + samples + pad);
    EXPECT_EQ(tag(b, 0), "RIFF");
    EXPECT_EQ(u32(b, 4), 36 + samples + pad);
    EXPECT_EQ(tag(b, 8), "WAVE");
    EXPECT_EQ(tag(b, 12), "fmt ");
    EXPECT_EQ(u32(b, 16), 16u);
    EXPECT_EQ(u16(b, 20), 1u);  // PCM
    EXPECT_EQ(u16(b, 22), 1u);  // mono
    EXPECT_EQ(u32(b, 24), 22050u);
    EXPECT_EQ(u32(b, 28), 22050u);
    EXPECT_EQ(u16(b, 32), 1u);
    EXPECT_EQ(u16(b, 34), 8u);
    EXPECT_EQ(tag(b, 36), "data");
    EXPECT_EQ(u32(b, 40), samples);
    if (pad) {
        EXPECT_EQ(b.back(), 0);
    }
}

TEST_P(Clip, StartsAndEndsInSilenceWithoutClicks) {
    auto s = samplesOf(GetParam().name);
    EXPECT_EQ(s.front(), 128);
    EXPECT_EQ(s.back(), 128);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_LE(std::abs(s[i] - 128), 8) << "sample " << i;
        EXPECT_LE(std::abs(s[s.size() - 1 - i] - 128), 8) << "sample " << s.size() - 1 - i;
    }
}

TEST_P(Clip, IsAudibleWithHeadroom) {
    auto s = samplesOf(GetParam().name);
    auto [low, high] = std::ranges::minmax(s);
    EXPECT_GT(low, 8);
    EXPECT_LT(high, 247);
    EXPECT_GT(high - low, 100);
}

INSTANTIATE_TEST_SUITE_P(All, Clip, testing::ValuesIn(clips),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ClipSound, ColourTonesAreClearlyDifferentPitches) {
    std::vector<double> rates;
    for (const char* name : {"RED", "BLUE", "YELLOW", "GREEN"})
        rates.push_back(crossingRate(samplesOf(name)));
    std::ranges::sort(rates);
    for (std::size_t i = 1; i < rates.size(); ++i) EXPECT_GT(rates[i], 1.1 * rates[i - 1]);
}

TEST(ClipSound, FailureFallsAndLiesBelowSuccess) {
    auto failure = samplesOf("HAZURE");
    auto half = failure.size() / 2;
    EXPECT_GT(crossingRate(failure.first(half)), 1.2 * crossingRate(failure.subspan(half)));
    EXPECT_GT(crossingRate(samplesOf("ATARI")), 2 * crossingRate(failure));
}

}  // namespace
