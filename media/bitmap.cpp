#include "bitmap.h"

#include <algorithm>
#include <stdexcept>

namespace media {
namespace {

constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t pixelsPerMetre = 3780;  // 96 dpi

std::size_t rowBytes(int width, int bitsPerPixel) {
    return (std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32 * 4;
}

void putInfoHeader(Bytes& out, int width, int heightField, int bitsPerPixel, std::size_t imageBytes,
                   std::size_t colours) {
    put32(out, infoHeaderSize);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(heightField));
    put16(out, 1);  // planes
    put16(out, std::uint32_t(bitsPerPixel));
    put32(out, 0);  // uncompressed
    put32(out, std::uint32_t(imageBytes));
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, std::uint32_t(colours));
    put32(out, 0);  // all colours important
}

void putPalette(Bytes& out, std::span<const Rgb> palette, std::size_t entries) {
    for (std::size_t i = 0; i < entries; ++i) {
        Rgb c = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
}

std::uint8_t indexOf(Rgb colour, std::span<const Rgb> palette) {
    auto it = std::ranges::find(palette, colour);
    if (it == palette.end()) throw std::logic_error("colour missing from the palette");
    return static_cast<std::uint8_t>(it - palette.begin());
}

// Rows bottom-up, each padded with zeros to a multiple of 4 bytes.
template <typename PutRow>
Bytes pixelRows(const Raster& raster, int bitsPerPixel, PutRow putRow) {
    Bytes rows;
    std::size_t stride = rowBytes(raster.width, bitsPerPixel);
    for (int y = raster.height - 1; y >= 0; --y) {
        std::size_t start = rows.size();
        putRow(rows, y);
        rows.resize(start + stride, 0);
    }
    return rows;
}

Bytes indexedRows(const Raster& raster, int bitsPerPixel, std::span<const Rgb> palette) {
    return pixelRows(raster, bitsPerPixel, [&](Bytes& out, int y) {
        int perByte = 8 / bitsPerPixel;
        for (int x = 0; x < raster.width; x += perByte) {
            unsigned byte = 0;
            for (int k = 0; k < perByte; ++k)
                byte = (byte << bitsPerPixel) | indexOf(raster.at(x + k, y), palette);
            out.push_back(static_cast<std::uint8_t>(byte));
        }
    });
}

}  // namespace

Bytes dib8(const Raster& raster, std::span<const Rgb> palette) {
    constexpr std::size_t entries = 256;
    Bytes rows = indexedRows(raster, 8, palette.first(std::min(palette.size(), entries)));
    Bytes out;
    putInfoHeader(out, raster.width, raster.height, 8, rows.size(), entries);
    putPalette(out, palette, entries);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

Bytes dib24(const Raster& raster) {
    Bytes rows = pixelRows(raster, 24, [&](Bytes& out, int y) {
        for (int x = 0; x < raster.width; ++x) {
            Rgb c = raster.at(x, y);
            out.insert(out.end(), {c.b, c.g, c.r});
        }
    });
    Bytes out;
    putInfoHeader(out, raster.width, raster.height, 24, rows.size(), 0);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

Bytes bmpFile(std::span<const std::uint8_t> dib) {
    std::uint32_t pixelOffset = fileHeaderSize + std::uint32_t(dib.size());
    if (dib.size() >= infoHeaderSize) {
        std::uint32_t headerSize = get32(&dib[0]);
        std::uint32_t bits = dib[14] | (dib[15] << 8);
        std::uint32_t colours = get32(&dib[32]);
        if (colours == 0 && bits <= 8) colours = 1u << bits;
        pixelOffset = fileHeaderSize + headerSize + 4 * colours;
    }
    Bytes out;
    putTag(out, "BM");
    put32(out, fileHeaderSize + std::uint32_t(dib.size()));
    put32(out, 0);  // reserved
    put32(out, pixelOffset);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

Bytes icoFile(const Raster& raster, std::span<const Rgb, 16> palette) {
    constexpr std::uint32_t directorySize = 6 + 16;
    Bytes colours = indexedRows(raster, 4, palette);
    Bytes mask(rowBytes(raster.width, 1) * std::size_t(raster.height), 0);  // 0: opaque

    Bytes image;
    // The height counts the colour rows and the mask rows together.
    putInfoHeader(image, raster.width, 2 * raster.height, 4, colours.size() + mask.size(), 16);
    putPalette(image, palette, 16);
    image.insert(image.end(), colours.begin(), colours.end());
    image.insert(image.end(), mask.begin(), mask.end());

    Bytes out;
    put16(out, 0);  // reserved
    put16(out, 1);  // icon
    put16(out, 1);  // one image
    out.push_back(static_cast<std::uint8_t>(raster.width));
    out.push_back(static_cast<std::uint8_t>(raster.height));
    out.push_back(16);  // colours
    out.push_back(0);   // reserved
    put16(out, 1);      // planes
    put16(out, 4);      // bits per pixel
    put32(out, std::uint32_t(image.size()));
    put32(out, directorySize);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace media
