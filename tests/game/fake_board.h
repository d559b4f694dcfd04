#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "game/board_view.h"
#include "game/game.h"

namespace fake {

using Time = std::chrono::microseconds;

struct Op {
    Time at;
    std::string what;  // e.g. "picture Image1 QUAUTER1", "pump", "play RED", "input click Image2"
};

// What the player does, delivered as the window would deliver it.
enum class Input { Click, RightPress, MiddlePress, Start, Judge };

struct AtPump {
    long n;  // the n-th pump from the moment of queuing: 1 is the next one
};
struct AtTime {
    Time t;  // the first pump at or after this virtual time
};
using When = std::variant<AtPump, AtTime>;

struct ControlState {
    bool enabled = true;
    bool visible = true;
    std::string text;
    std::string picture;  // stored name of the item last set
};

std::string_view nameOf(game::Control control);

// A scripted window on a virtual clock: pause and playClip advance the clock (a clip lasts its
// data chunk's sample count / 22050 s), every operation is logged with its time, and pump
// delivers the queued player actions that are due, nested, one after another, as a real pump
// does: an action's handler that pumps delivers the next due actions inside itself.
class Board final : public game::BoardView {
public:
    Board();  // the window's controls in their initial states
    void attach(game::Game& game) { game_ = &game; }

    void setPicture(game::Control control, const media::Item& picture) override;
    void show(game::Control control) override;
    void hide(game::Control control) override;
    void setText(game::Control label, std::string_view utf8) override;
    void setStatusSize(int points) override;
    void enable(game::Control control) override;
    void disable(game::Control control) override;
    void pump() override;
    void pause(std::chrono::milliseconds duration) override;
    void playClip(std::span<const std::uint8_t> wave) override;

    void queue(When when, Input input, game::Control quarter = game::Control::Image1);
    void queueCall(When when, std::function<void()> call);
    // Delivers at once, as the window would: a quarter only if it is enabled and the overlay is
    // not shown, a button only if it is enabled. A handler's exception ends that handler only
    // and is logged as "error <message>", like the window's message box.
    void deliver(Input input, game::Control quarter = game::Control::Image1);
    // Control back in the event loop: delivers what is still queued, waiting for timed actions.
    void runLoop();
    void note(std::string what) { log_.push_back({now_, std::move(what)}); }

    Time now() const { return now_; }
    long pumps() const { return pumps_; }
    std::size_t pending() const { return pending_.size(); }
    const std::vector<Op>& log() const { return log_; }
    std::size_t mark() const { return log_.size(); }
    std::vector<std::string> ops(std::size_t from = 0) const;  // the log from a mark, untimed
    // The time of the first op from a mark that reads `what`; -1 µs if there is none.
    Time timeOf(std::string_view what, std::size_t from = 0) const;
    const ControlState& state(game::Control control) const { return controls_.at(control); }
    int statusSize() const { return statusSize_; }

private:
    struct Pending {
        long pump;  // due at this pump count or later, unless timed
        Time time;  // due at or after this time, if timed
        bool timed;
        std::function<void()> action;
    };
    bool takeDue(std::function<void()>& action);
    void log(std::string what) { note(std::move(what)); }

    game::Game* game_ = nullptr;
    std::map<game::Control, ControlState> controls_;
    int statusSize_ = 28;
    Time now_{};
    long pumps_ = 0;
    std::vector<Pending> pending_;
    std::vector<Op> log_;
};

}  // namespace fake
