#include "game/random.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(ClockRandom, DrawsEveryColourEvenlyAfterReseeding) {
    game::ClockRandom random;
    random.reseed();
    std::array<int, 4> counts{};
    constexpr int draws = 40000;
    for (int i = 0; i < draws; ++i) {
        const int value = random.draw();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 3);
        ++counts[static_cast<std::size_t>(value)];
    }
    for (int count : counts) EXPECT_NEAR(count, draws / 4, draws / 40);
}

}  // namespace
