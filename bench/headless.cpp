#include "headless.h"

#include <chrono>
#include <cmath>
#include <random>
#include <string>

#include "harness.h"

namespace bench {

double microsecondsPerColour(int level) {
    std::mt19937 draw(static_cast<unsigned>(level));
    std::string sequence;
    for (int i = 0; i <= level; ++i) sequence += "RBYG"[draw() % 4];
    fake::Harness harness;
    harness.game.Level = level;
    const auto start = std::chrono::steady_clock::now();
    harness.start(sequence);
    harness.enter(sequence);
    harness.judge();
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    if (harness.game.Level != level + 1) return NAN;  // not the success it was played for
    return took.count() / static_cast<double>(sequence.size());
}

}  // namespace bench
