#pragma once

#include <chrono>
#include <cstdint>
#include <span>

class Sound;

// The two operations that take real time. Tests may hand in a faster pair.
class Timing {
public:
    virtual ~Timing() = default;
    virtual void pause(std::chrono::milliseconds duration) = 0;
    virtual void play(std::span<const std::uint8_t> wave) = 0;
};

// Sleeps the calling thread and plays through the sound device.
class RealTiming final : public Timing {
public:
    explicit RealTiming(Sound& sound) : sound_(sound) {}
    void pause(std::chrono::milliseconds duration) override;
    void play(std::span<const std::uint8_t> wave) override;

private:
    Sound& sound_;
};
