#include "timing.h"

#include <thread>

#include "sound.h"

void RealTiming::pause(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

void RealTiming::play(std::span<const std::uint8_t> wave) { sound_.play(wave); }
