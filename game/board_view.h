#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>

#include "colours.h"
#include "media/catalogue.h"

namespace game {

// Everything the game does to the window. Changes show on screen only at the next pump or when
// control returns to the event loop.
class BoardView {
public:
    virtual ~BoardView() = default;

    virtual void setPicture(Control control, const media::Item& picture) = 0;
    virtual void show(Control control) = 0;
    virtual void hide(Control control) = 0;
    virtual void setText(Control label, std::string_view utf8) = 0;
    virtual void setStatusSize(int points) = 0;
    virtual void enable(Control control) = 0;
    virtual void disable(Control control) = 0;
    // Dispatches every pending event, player input included; handlers run nested inside it.
    virtual void pump() = 0;
    // Blocks without dispatching anything.
    virtual void pause(std::chrono::milliseconds duration) = 0;
    // Plays a whole RIFF WAVE image and returns once it has been heard.
    virtual void playClip(std::span<const std::uint8_t> wave) = 0;
};

}  // namespace game
