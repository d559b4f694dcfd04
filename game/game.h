#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "board_view.h"
#include "colours.h"
#include "media/catalogue.h"
#include "random.h"

namespace game {

enum class MouseButton { Left, Right, Middle };

// The game state and every game operation. Handlers are called by the window's event wiring;
// they may run nested inside another handler's pump.
class Game {
public:
    Game(BoardView& view, const media::Catalogue& media, RandomSource& random);

    void FormCreate();
    void Button1Click();
    void Image1Click();
    void Image2Click();
    void Image3Click();
    void Image4Click();
    void Image1MouseDown(MouseButton button);
    void Button2Click();

    std::string Letter;
    std::string Target;
    std::string Entered;
    std::int32_t Recording = 0;
    std::int32_t Level = 0;
    std::int32_t FailLength = 0;

private:
    void FlashColour(const Colour& colour);
    void PlaySequence();
    void EnableQuarters();
    void JudgeInput();
    void ShowFailure();
    // Loads a clip, plays it to its end and releases it.
    void playClip(std::string_view name);

    BoardView& view_;
    const media::Catalogue& media_;
    RandomSource& random_;
};

}  // namespace game
