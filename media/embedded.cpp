#include "embedded.h"

#include <QResource>
#include <QString>
#include <stdexcept>

#include "media/items.h"

namespace media {
namespace {

std::span<const std::uint8_t> resourceBytes(const std::string& path) {
    QResource resource(QString::fromStdString(":" + path));
    // Stored uncompressed, so the bytes can be used where they lie.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        throw std::logic_error("media resource missing or compressed: " + path);
    return {reinterpret_cast<const std::uint8_t*>(resource.data()), std::size_t(resource.size())};
}

Catalogue load() {
    std::vector<Item> items;
    for (const Entry& entry : entries())
        items.push_back({entry.name, resourceBytes(itemPath(entry.name))});
    return Catalogue(std::move(items));
}

}  // namespace

const Catalogue& embedded() {
    static const Catalogue catalogue = load();
    return catalogue;
}

}  // namespace media
