#include "game.h"

#include <chrono>
#include <vector>

#include "texts.h"

namespace game {

using namespace std::chrono_literals;

Game::Game(BoardView& view, const media::Catalogue& media, RandomSource& random)
    : view_(view), media_(media), random_(random) {}

void Game::FormCreate() {
    Level = 1;
    view_.setStatusSize(28);
}

void Game::Button1Click() {
    view_.hide(Control::Image5);
    view_.disable(Control::Button1);
    playClip("START");
    view_.hide(Control::Label2);
    view_.setStatusSize(28);
    PlaySequence();
    Entered.clear();
    EnableQuarters();
    view_.setText(Control::Label1, yourTurnText);
    // A judgement run nested during the playback may have enabled Start.
    view_.disable(Control::Button1);
    view_.enable(Control::Button2);
}

void Game::Image1Click() { FlashColour(colours[0]); }
void Game::Image2Click() { FlashColour(colours[1]); }
void Game::Image3Click() { FlashColour(colours[2]); }
void Game::Image4Click() { FlashColour(colours[3]); }

void Game::Image1MouseDown(MouseButton button) {
    if (button == MouseButton::Right) JudgeInput();
}

void Game::Button2Click() { JudgeInput(); }

void Game::FlashColour(const Colour& colour) {
    if (Recording == 1) Target += colour.letter;
    {
        // This flash's own copy: a flash nested at the pump below loads and releases its own.
        const media::Item found = media_.find(colour.clip);
        const std::vector<std::uint8_t> clip(found.bytes.begin(), found.bytes.end());
        Entered += colour.letter;
        view_.setPicture(colour.quarter, media_.find(colour.lit));
        view_.pump();
        view_.pause(100ms);
        view_.playClip(clip);
    }
    view_.setPicture(colour.quarter, media_.find(colour.normal));
}

void Game::PlaySequence() {
    view_.disable(Control::Button2);
    Target.clear();
    view_.setText(Control::Label1, announceText);
    view_.pump();
    view_.pause(2000ms);
    Recording = 1;
    random_.reseed();
    // The count is fixed here: a judgement nested in a flash may change Level.
    const std::int64_t count = std::int64_t{Level} + 1;
    for (std::int64_t i = 0; i < count; ++i) FlashColour(colours.at(random_.draw()));
    Recording = 0;
}

void Game::EnableQuarters() {
    for (const Colour& colour : colours) view_.enable(colour.quarter);
}

void Game::JudgeInput() {
    if (Target.empty() || Entered.empty()) return;
    if (Target != Entered) {
        ShowFailure();
        return;
    }
    view_.setPicture(Control::Image5, media_.find("smile"));
    view_.show(Control::Image5);
    playClip("atari");
    view_.setStatusSize(20);
    view_.setText(Control::Label1, successText);
    ++Level;
    view_.enable(Control::Button1);
    view_.disable(Control::Button2);
    Target.clear();
    Entered.clear();
}

void Game::ShowFailure() {
    view_.setStatusSize(18);
    view_.setText(Control::Label1, failureText(Target));
    playClip("hazure");
    view_.setPicture(Control::Image5, media_.find("bad"));
    view_.show(Control::Image5);
    view_.pump();
    view_.pause(3000ms);
    view_.hide(Control::Image5);
    FailLength = static_cast<std::int32_t>(Target.size());
    // The count is fixed here; each letter is read from Target as it is when its turn comes,
    // since a round started nested in a replayed flash replaces it.
    const std::int32_t count = FailLength;
    for (std::int32_t i = 0; i < count; ++i) {
        Letter = static_cast<std::size_t>(i) < Target.size() ? Target.substr(i, 1) : "";
        if (const Colour* colour = Letter.empty() ? nullptr : colourOf(Letter.front()))
            FlashColour(*colour);
        view_.enable(Control::Button1);
        Level = 1;
        view_.setText(Control::Label2, indexText(FailLength));
        view_.show(Control::Label2);
    }
}

void Game::playClip(std::string_view name) {
    const media::Item found = media_.find(name);
    const std::vector<std::uint8_t> clip(found.bytes.begin(), found.bytes.end());
    view_.playClip(clip);
}

}  // namespace game
