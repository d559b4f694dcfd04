#pragma once

#include <array>

#include "bitmap.h"

namespace media {

inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb blue{0, 0, 255};
inline constexpr Rgb yellow{255, 255, 0};
inline constexpr Rgb green{0, 255, 0};

// The sixteen classic display colours; the pictures draw only with these.
// clang-format off
inline constexpr std::array<Rgb, 16> basicColours{{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};
// clang-format on

// Where the board's centre lies within a quarter's picture.
enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

inline constexpr int quarterSize = 200;
inline constexpr int faceSize = 400;
inline constexpr int iconSize = 32;

// A quarter disc of radius 200 around the given corner, on black.
Raster quarter(Corner centre, Rgb colour);

Raster smilingFace();
Raster glumFace();

// A small four-colour disc on black.
Raster iconArt();

}  // namespace media
