#include "headless.h"

#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "game/board_view.h"
#include "game/game.h"
#include "test_media.h"

namespace bench {
namespace {

// A window that only keeps the virtual clock, so that what is timed is the game itself (the
// tests' fake board logs every operation, and its growing log would be timed too).
class QuietBoard final : public game::BoardView {
public:
    void setPicture(game::Control, const media::Item&) override {}
    void show(game::Control) override {}
    void hide(game::Control) override {}
    void setText(game::Control, std::string_view) override {}
    void setStatusSize(int) override {}
    void enable(game::Control) override {}
    void disable(game::Control) override {}
    void pump() override {}
    void pause(std::chrono::milliseconds duration) override { now += duration; }
    void playClip(std::span<const std::uint8_t> wave) override { now += fake::clipLength(wave); }

    std::chrono::microseconds now{};
};

class Draws final : public game::RandomSource {
public:
    explicit Draws(std::vector<int> values) : values_(std::move(values)) {}
    void reseed() override {}
    int draw() override { return values_[next_++ % values_.size()]; }

private:
    std::vector<int> values_;
    std::size_t next_ = 0;
};

}  // namespace

double microsecondsPerColour(int level) {
    std::mt19937 engine(static_cast<unsigned>(level));
    std::vector<int> values(static_cast<std::size_t>(level) + 1);
    for (int& v : values) v = static_cast<int>(engine() % 4);
    const media::Catalogue media = fake::catalogue();
    QuietBoard board;
    Draws draws(values);
    game::Game game(board, media, draws);
    game.FormCreate();
    game.Level = level;
    void (game::Game::*const clicks[])() = {&game::Game::Image1Click, &game::Game::Image2Click,
                                            &game::Game::Image3Click, &game::Game::Image4Click};
    const auto start = std::chrono::steady_clock::now();
    game.Button1Click();
    for (int v : values) (game.*clicks[v])();
    game.Button2Click();
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    if (game.Level != level + 1) return NAN;  // not the success it was played for
    return took.count() / static_cast<double>(values.size());
}

}  // namespace bench
