#pragma once

#include <QPoint>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "app/tform1.h"
#include "game/random.h"
#include "media/catalogue.h"

// Instant pauses and clips, each noted by the clip's catalogue name or "pause N"; a hook may act
// at any of them, as a player would while the game sleeps.
class FakeTiming final : public Timing {
public:
    void pause(std::chrono::milliseconds duration) override;
    void play(std::span<const std::uint8_t> wave) override;

    std::vector<std::string> log;
    std::function<void(const std::string&)> onStep;
};

class ScriptedRandom final : public game::RandomSource {
public:
    void reseed() override {}
    int draw() override;
    std::deque<int> draws;
};

// A shown main window over the embedded media (or a catalogue without some names).
class FormTest : public testing::Test {
protected:
    void SetUp() override { makeForm({}); }
    void makeForm(const std::vector<std::string>& missing);

    // A real press and release at a point of the window, hit-tested like a mouse.
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void doubleClick(QPoint at);
    // Posts a press and release to be dispatched at the next pump.
    void postClick(QPoint at);
    void startPlayersTurn(const std::string& target);
    std::vector<std::string> clips() const;

    std::unique_ptr<media::Catalogue> media;
    std::unique_ptr<FakeTiming> timing;
    ScriptedRandom random;
    std::unique_ptr<TForm1> form;
};

// Points inside each quarter, away from the index line's box.
inline constexpr QPoint inRed{150, 190}, inBlue{280, 190}, inYellow{150, 320}, inGreen{280, 320};
