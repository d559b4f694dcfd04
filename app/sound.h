#pragma once

#include <cstdint>
#include <span>

// Synchronous clip playback. The output device is opened once and kept; where no device can be
// had, or it is lost, each play stays silent but still lasts its clip's length, and a later play
// tries the device again.
class Sound {
public:
    Sound();
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Plays a RIFF WAVE image exactly as stored; returns once its last sample has been heard.
    void play(std::span<const std::uint8_t> wave);

private:
    struct Device;
    Device* device_;
};
