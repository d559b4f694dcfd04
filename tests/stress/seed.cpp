#include "seed.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

namespace stress {

std::uint64_t seed() {
    std::uint64_t value = 0;
    if (const char* given = std::getenv("MELQUAD_STRESS_SEED"); given && *given)
        value = std::stoull(given);
    else
        value = (std::uint64_t{std::random_device{}()} << 32) | std::random_device{}();
    std::cout << "seed " << value << " (MELQUAD_STRESS_SEED=" << value << " repeats this run)"
              << std::endl;
    testing::Test::RecordProperty("seed", std::to_string(value));
    return value;
}

long countFromEnv(const char* name, long fallback) {
    const char* given = std::getenv(name);
    return given && *given ? std::stol(given) : fallback;
}

}  // namespace stress
