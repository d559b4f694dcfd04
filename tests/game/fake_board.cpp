#include "fake_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "test_media.h"

namespace fake {

using game::Control;

std::string_view nameOf(Control control) {
    switch (control) {
        case Control::Image1:
            return "Image1";
        case Control::Image2:
            return "Image2";
        case Control::Image3:
            return "Image3";
        case Control::Image4:
            return "Image4";
        case Control::Label1:
            return "Label1";
        case Control::Label2:
            return "Label2";
        case Control::Image5:
            return "Image5";
        case Control::Button1:
            return "Button1";
        case Control::Button2:
            return "Button2";
    }
    return "?";
}

namespace {

std::string describe(Input input, Control quarter) {
    const std::string where = " " + std::string(nameOf(quarter));
    switch (input) {
        case Input::Click:
            return "click" + where;
        case Input::RightPress:
            return "right" + where;
        case Input::MiddlePress:
            return "middle" + where;
        case Input::Start:
            return "start";
        case Input::Judge:
            return "judge";
    }
    return "?";
}

bool isQuarter(Control control) {
    return control == Control::Image1 || control == Control::Image2 || control == Control::Image3 ||
           control == Control::Image4;
}

void click(game::Game& game, Control quarter) {
    game.Image1MouseDown(game::MouseButton::Left);
    switch (quarter) {
        case Control::Image1:
            game.Image1Click();
            break;
        case Control::Image2:
            game.Image2Click();
            break;
        case Control::Image3:
            game.Image3Click();
            break;
        case Control::Image4:
            game.Image4Click();
            break;
        default:
            break;
    }
}

}  // namespace

Board::Board() {
    const char* normals[] = {"QUAUTER11", "QUAUTER22", "QUAUTER33", "QUAUTER44"};
    const Control quarters[] = {Control::Image1, Control::Image2, Control::Image3, Control::Image4};
    for (int i = 0; i < 4; ++i) controls_[quarters[i]] = {false, true, "", normals[i]};
    controls_[Control::Label1] = {true, true, "ピコラッタ", ""};
    controls_[Control::Label2] = {true, false, "", ""};
    controls_[Control::Image5] = {true, false, "", ""};
    controls_[Control::Button1] = {true, true, "スタート", ""};
    controls_[Control::Button2] = {false, true, "判定", ""};
}

void Board::setPicture(Control control, const media::Item& picture) {
    controls_.at(control).picture = std::string(picture.name);
    log("picture " + std::string(nameOf(control)) + " " + std::string(picture.name));
}

void Board::show(Control control) {
    controls_.at(control).visible = true;
    log("show " + std::string(nameOf(control)));
}

void Board::hide(Control control) {
    controls_.at(control).visible = false;
    log("hide " + std::string(nameOf(control)));
}

void Board::setText(Control label, std::string_view utf8) {
    controls_.at(label).text = std::string(utf8);
    log("text " + std::string(nameOf(label)) + " " + std::string(utf8));
}

void Board::setStatusSize(int points) {
    statusSize_ = points;
    log("size " + std::to_string(points));
}

void Board::enable(Control control) {
    controls_.at(control).enabled = true;
    log("enable " + std::string(nameOf(control)));
}

void Board::disable(Control control) {
    controls_.at(control).enabled = false;
    log("disable " + std::string(nameOf(control)));
}

void Board::pump() {
    ++pumps_;
    log("pump");
    for (std::function<void()> action; takeDue(action);) action();
}

void Board::pause(std::chrono::milliseconds duration) {
    log("pause " + std::to_string(duration.count()));
    now_ += duration;
}

void Board::playClip(std::span<const std::uint8_t> wave) {
    if (isStored(wave)) ADD_FAILURE() << "a clip is played from the catalogue's bytes, not a copy";
    const Time length = clipLength(wave);
    if (length == Time{}) ADD_FAILURE() << "played bytes are not a WAVE image with a data chunk";
    log("play " + clipName(wave));
    now_ += length;
}

void Board::queue(When when, Input input, Control quarter) {
    queueCall(when, [this, input, quarter] { deliver(input, quarter); });
}

void Board::queueCall(When when, std::function<void()> call) {
    if (const auto* atPump = std::get_if<AtPump>(&when))
        pending_.push_back({pumps_ + atPump->n, {}, false, std::move(call)});
    else
        pending_.push_back({0, std::get<AtTime>(when).t, true, std::move(call)});
}

bool Board::takeDue(std::function<void()>& action) {
    const auto due = std::ranges::find_if(
        pending_, [this](const Pending& p) { return p.timed ? now_ >= p.time : pumps_ >= p.pump; });
    if (due == pending_.end()) return false;
    action = std::move(due->action);
    pending_.erase(due);
    return true;
}

void Board::deliver(Input input, Control quarter) {
    bool reached = false;
    if (input == Input::Start)
        reached = state(Control::Button1).enabled;
    else if (input == Input::Judge)
        reached = state(Control::Button2).enabled;
    else
        reached = isQuarter(quarter) && state(quarter).enabled && !state(Control::Image5).visible;
    log((reached ? "input " : "ignored ") + describe(input, quarter));
    if (!reached) return;
    if (game_ == nullptr) {
        ADD_FAILURE() << "no game attached to the board";
        return;
    }
    try {
        switch (input) {
            case Input::Click:
                click(*game_, quarter);
                break;
            case Input::RightPress:
                game_->Image1MouseDown(game::MouseButton::Right);
                break;
            case Input::MiddlePress:
                game_->Image1MouseDown(game::MouseButton::Middle);
                break;
            case Input::Start:
                game_->Button1Click();
                break;
            case Input::Judge:
                game_->Button2Click();
                break;
        }
    } catch (const std::exception& e) {
        log(std::string("error ") + e.what());
    }
}

void Board::runLoop() {
    while (!pending_.empty()) {
        // Each turn of the loop counts as a pump for actions queued by pump count.
        ++pumps_;
        std::function<void()> action;
        if (takeDue(action)) {
            action();
            continue;
        }
        const auto timed = std::ranges::min_element(
            pending_, {}, [](const Pending& p) { return p.timed ? p.time : Time::max(); });
        if (timed->timed && timed->time > now_) now_ = timed->time;
    }
}

std::vector<std::string> Board::ops(std::size_t from) const {
    std::vector<std::string> out;
    for (std::size_t i = from; i < log_.size(); ++i) out.push_back(log_[i].what);
    return out;
}

Time Board::timeOf(std::string_view what, std::size_t from) const {
    for (std::size_t i = from; i < log_.size(); ++i)
        if (log_[i].what == what) return log_[i].at;
    return Time{-1};
}

}  // namespace fake
