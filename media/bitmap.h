#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "bytes.h"

namespace media {

struct Rgb {
    std::uint8_t r, g, b;
    friend bool operator==(Rgb, Rgb) = default;
};

// Pixels row by row, top row first.
struct Raster {
    int width;
    int height;
    std::vector<Rgb> pixels;

    Raster(int w, int h, Rgb fill)
        : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}
    Rgb& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    Rgb at(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

// Headerless device-independent bitmaps (information header, colour table, rows bottom-up).
// Every colour of the raster must be in the palette.
Bytes dib8(const Raster& raster, std::span<const Rgb> palette);  // palette padded to 256 entries
Bytes dib24(const Raster& raster);

// A complete .bmp file: the 14-byte file header followed by the DIB as it is.
Bytes bmpFile(std::span<const std::uint8_t> dib);

// A .ico file holding one 16-colour image, fully opaque.
Bytes icoFile(const Raster& raster, std::span<const Rgb, 16> palette);

}  // namespace media
