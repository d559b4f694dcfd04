#pragma once

#include <cstdint>
#include <span>

#include "bytes.h"

namespace media {

inline constexpr std::uint32_t sampleRate = 22050;  // mono, 8-bit unsigned: silence is 128

// A complete RIFF WAVE image around the samples, with the pad byte an odd data chunk needs.
Bytes waveFile(std::span<const std::uint8_t> samples);

}  // namespace media
