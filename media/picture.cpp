#include "picture.h"

#include "media/bitmap.h"

namespace media {

QImage decodePicture(std::span<const std::uint8_t> dib) {
    Bytes file = bmpFile(dib);
    return QImage::fromData(file.data(), int(file.size()), "BMP");
}

}  // namespace media
