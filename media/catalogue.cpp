#include "catalogue.h"

#include <algorithm>
#include <cctype>

namespace media {
namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        return std::toupper(x) == std::toupper(y);
    });
}

}  // namespace

NotFound::NotFound(std::string_view name)
    : std::runtime_error(std::string(name) + " リソースが見つかりません") {}

Catalogue::Catalogue(std::vector<Item> items) : items_(std::move(items)) {}

Item Catalogue::find(std::string_view name) const {
    auto it = std::ranges::find_if(items_,
                                   [&](const Item& item) { return sameIgnoringCase(item.name, name); });
    if (it == items_.end()) throw NotFound(name);
    return *it;
}

}  // namespace media
