#pragma once

#include <cstdint>
#include <random>

#include "game/random.h"

namespace stress {

// MELQUAD_STRESS_SEED when set, a fresh random seed otherwise; printed either way so that a run
// can be repeated.
std::uint64_t seed();

// A count given in the environment variable `name`, or `fallback`.
long countFromEnv(const char* name, long fallback);

// Draws from the test's own generator, so that a seed repeats a run.
class SeededRandom final : public game::RandomSource {
public:
    explicit SeededRandom(std::mt19937_64& engine) : engine_(engine) {}
    void reseed() override {}
    int draw() override { return std::uniform_int_distribution<int>(0, 3)(engine_); }

private:
    std::mt19937_64& engine_;
};

}  // namespace stress
