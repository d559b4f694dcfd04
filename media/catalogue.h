#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace media {

// One embedded item: its stored name (capitals) and its bytes, which live as long as the program.
struct Item {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

// Raised when a name is not in the catalogue; what() is the text the player sees.
class NotFound : public std::runtime_error {
public:
    explicit NotFound(std::string_view name);
};

// Looks items up by name without regard to letter case.
class Catalogue {
public:
    explicit Catalogue(std::vector<Item> items);

    Item find(std::string_view name) const;  // throws NotFound

private:
    std::vector<Item> items_;
};

}  // namespace media
