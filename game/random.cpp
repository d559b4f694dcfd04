#include "random.h"

#include <chrono>

namespace game {

void ClockRandom::reseed() {
    using namespace std::chrono;
    const auto sinceMidnight = system_clock::now().time_since_epoch() % days{1};
    engine_.seed(
        static_cast<std::mt19937::result_type>(duration_cast<milliseconds>(sinceMidnight).count()));
    colour_.reset();
}

int ClockRandom::draw() { return colour_(engine_); }

}  // namespace game
