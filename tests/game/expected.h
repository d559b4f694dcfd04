#pragma once

#include <string>
#include <vector>

namespace expected {

// The board ops of one flash of this colour, none of them nested.
inline std::vector<std::string> flash(char letter) {
    struct Row {
        char letter;
        const char *lit, *clip, *normal;
    };
    static const Row rows[] = {
        {'R', "picture Image1 QUAUTER1", "play RED", "picture Image1 QUAUTER11"},
        {'B', "picture Image2 QUAUTER2", "play BLUE", "picture Image2 QUAUTER22"},
        {'Y', "picture Image3 QUAUTER3", "play YELLOW", "picture Image3 QUAUTER33"},
        {'G', "picture Image4 QUAUTER4", "play GREEN", "picture Image4 QUAUTER44"},
    };
    for (const Row& row : rows)
        if (row.letter == letter) return {row.lit, "pump", "pause 100", row.clip, row.normal};
    return {"no colour " + std::string(1, letter)};
}

}  // namespace expected
