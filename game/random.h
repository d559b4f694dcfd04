#pragma once

#include <random>

namespace game {

// Source of the colours a playback shows.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    virtual int draw() = 0;  // uniform over 0..3
};

// Reseeded from the time of day, to the millisecond.
class ClockRandom final : public RandomSource {
public:
    void reseed() override;
    int draw() override;

private:
    std::mt19937 engine_;
    std::uniform_int_distribution<int> colour_{0, 3};
};

}  // namespace game
