#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string_view>

#include "fake_board.h"
#include "game/colours.h"
#include "game/random.h"

namespace fake {

// Draws the colours it was given, in order, and logs each reseed in the board's log.
class ScriptedRandom final : public game::RandomSource {
public:
    explicit ScriptedRandom(Board& board) : board_(board) {}

    void script(std::string_view letters) {
        for (char letter : letters) {
            const game::Colour* colour = game::colourOf(letter);
            ASSERT_NE(colour, nullptr) << "no colour " << letter;
            draws_.push_back(static_cast<int>(colour - game::colours.data()));
        }
    }
    std::size_t remaining() const { return draws_.size(); }

    void reseed() override { board_.note("reseed"); }
    int draw() override {
        if (draws_.empty()) {
            ADD_FAILURE() << "more draws than scripted";
            return 0;
        }
        const int value = draws_.front();
        draws_.pop_front();
        return value;
    }

private:
    Board& board_;
    std::deque<int> draws_;
};

}  // namespace fake
