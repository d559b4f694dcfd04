#pragma once

#include <QImage>
#include <cstdint>
#include <span>

namespace media {

// Decodes a headerless device-independent bitmap; a null image when it cannot be read.
QImage decodePicture(std::span<const std::uint8_t> dib);

}  // namespace media
