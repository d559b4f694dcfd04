#pragma once

#include <cstddef>

#include "bytes.h"

namespace media {

// The game's sounds as 8-bit unsigned samples at the clip rate, each exactly `samples` long,
// starting and ending at silence.
Bytes startJingle(std::size_t samples);
Bytes colourTone(std::size_t samples, double hertz);
Bytes successChime(std::size_t samples);
Bytes failureTone(std::size_t samples);

// The colours sound the notes of a major chord.
namespace note {
inline constexpr double G4 = 392.00, C5 = 523.25, E5 = 659.26, G5 = 783.99, C6 = 1046.50;
inline constexpr double E6 = 1318.51, G6 = 1567.98, C7 = 2093.00;
inline constexpr double Eb4 = 311.13, C4 = 261.63, D3 = 146.83;
}  // namespace note

}  // namespace media
