#pragma once

#include <array>
#include <string_view>

namespace game {

// The controls the game drives.
enum class Control { Image1, Image2, Image3, Image4, Label1, Label2, Image5, Button1, Button2 };

struct Colour {
    char letter;
    std::string_view name;
    Control quarter;
    std::string_view clip;
    std::string_view lit;     // picture while flashing
    std::string_view normal;  // picture at rest
};

// Indexed by the random value that selects the colour.
inline constexpr std::array<Colour, 4> colours{{
    {'R', "red", Control::Image1, "RED", "quauter1", "quauter11"},
    {'B', "blue", Control::Image2, "BLUE", "quauter2", "quauter22"},
    {'Y', "yellow", Control::Image3, "YELLOW", "quauter3", "quauter33"},
    {'G', "green", Control::Image4, "GREEN", "quauter4", "quauter44"},
}};

// The colour with this letter, or nullptr.
constexpr const Colour* colourOf(char letter) {
    for (const Colour& c : colours)
        if (c.letter == letter) return &c;
    return nullptr;
}

}  // namespace game
