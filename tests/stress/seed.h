#pragma once

#include <cstdint>

namespace stress {

// MELQUAD_STRESS_SEED when set, a fresh random seed otherwise; printed either way so that a run
// can be repeated.
std::uint64_t seed();

// A count given in the environment variable `name`, or `fallback`.
long countFromEnv(const char* name, long fallback);

}  // namespace stress
