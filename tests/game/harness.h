#pragma once

#include <string_view>
#include <utility>

#include "fake_board.h"
#include "game/game.h"
#include "scripted_random.h"
#include "test_media.h"

namespace fake {

// A game on the fake board, the test catalogue and scripted draws, after FormCreate.
struct Harness {
    explicit Harness(media::Catalogue catalogue = fake::catalogue()) : media(std::move(catalogue)) {
        board.attach(game);
        game.FormCreate();
    }

    // Presses Start (as the window would) with these colours to be drawn.
    void start(std::string_view draws) {
        random.script(draws);
        board.deliver(Input::Start);
    }
    // Clicks the quarters of these letters one after another.
    void enter(std::string_view letters) {
        for (char letter : letters) board.deliver(Input::Click, game::colourOf(letter)->quarter);
    }
    void judge() { board.deliver(Input::Judge); }
    // Calls the click handler of this letter's quarter directly, whatever the board's state.
    void flash(char letter) {
        switch (letter) {
            case 'R':
                game.Image1Click();
                break;
            case 'B':
                game.Image2Click();
                break;
            case 'Y':
                game.Image3Click();
                break;
            case 'G':
                game.Image4Click();
                break;
            default:
                ADD_FAILURE() << "no colour " << letter;
        }
    }

    media::Catalogue media;  // may be replaced: the game looks items up at every use
    Board board;
    ScriptedRandom random{board};
    game::Game game{board, media, random};
};

}  // namespace fake
