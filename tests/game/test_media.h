#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "media/catalogue.h"

namespace fake {

// A catalogue of every item the game asks for, stored under its capital name. The clips are
// silent WAVE images with the real sample counts; a picture's bytes are just its name.
// `without` leaves one item out (its name in any case).
media::Catalogue catalogue(std::string_view without = {});

// The stored name of the clip with exactly these bytes, or "?".
std::string clipName(std::span<const std::uint8_t> wave);

// Whether these bytes lie inside the catalogue's own storage (rather than in a copy).
bool isStored(std::span<const std::uint8_t> bytes);

// The data chunk's sample count / 22050 s; zero for an image without a data chunk.
std::chrono::microseconds clipLength(std::span<const std::uint8_t> wave);
std::chrono::microseconds clipLength(std::string_view clip);

}  // namespace fake
