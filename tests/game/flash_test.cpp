#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

using namespace std::chrono_literals;
using fake::Harness;
using fake::Input;
using game::Control;
using Ops = std::vector<std::string>;

TEST(Flash, LightsPlaysAndRestoresEachQuarterAndAppendsByRecording) {
    struct Row {
        char letter;
        Ops ops;
    };
    const Row rows[] = {
        {'R',
         {"picture Image1 QUAUTER1", "pump", "pause 100", "play RED", "picture Image1 QUAUTER11"}},
        {'B',
         {"picture Image2 QUAUTER2", "pump", "pause 100", "play BLUE", "picture Image2 QUAUTER22"}},
        {'Y',
         {"picture Image3 QUAUTER3", "pump", "pause 100", "play YELLOW",
          "picture Image3 QUAUTER33"}},
        {'G',
         {"picture Image4 QUAUTER4", "pump", "pause 100", "play GREEN",
          "picture Image4 QUAUTER44"}},
    };
    for (const Row& row : rows) {
        for (int recording : {0, 1}) {
            SCOPED_TRACE(std::string(1, row.letter) + " recording " + std::to_string(recording));
            Harness h;
            h.game.Recording = recording;
            h.game.Target = "GY";
            h.game.Entered = "B";
            const auto mark = h.board.mark();
            h.flash(row.letter);
            EXPECT_EQ(h.board.ops(mark), row.ops);
            EXPECT_EQ(h.game.Target, recording == 1 ? "GY" + std::string(1, row.letter) : "GY");
            EXPECT_EQ(h.game.Entered, "B" + std::string(1, row.letter));
            EXPECT_EQ(h.game.Recording, recording);
        }
    }
}

TEST(Flash, KeepsTheQuarterWhiteForAHundredMillisecondsPlusItsClip) {
    Harness h;
    h.board.pause(1234ms);
    const auto mark = h.board.mark();
    h.game.Image2Click();
    const fake::Time lit = h.board.timeOf("picture Image2 QUAUTER2", mark);
    EXPECT_EQ(lit, fake::Time(1234ms));
    EXPECT_EQ(h.board.timeOf("play BLUE", mark), lit + 100ms);
    EXPECT_EQ(h.board.timeOf("picture Image2 QUAUTER22", mark),
              lit + 100ms + fake::clipLength("BLUE"));
    EXPECT_EQ(h.board.state(Control::Image2).picture, "QUAUTER22");
}

// A click waiting at the flash's pump runs a whole flash there, before this one's pause.
TEST(Flash, RunsAClickWaitingAtItsPumpNestedBeforeItGoesOn) {
    Harness h;
    h.board.enable(Control::Image4);
    h.game.Recording = 1;
    h.board.queue(fake::AtPump{1}, Input::Click, Control::Image4);
    const auto mark = h.board.mark();
    h.game.Image1Click();
    EXPECT_EQ(h.board.ops(mark), (Ops{"picture Image1 QUAUTER1", "pump", "input click Image4",
                                      "picture Image4 QUAUTER4", "pump", "pause 100", "play GREEN",
                                      "picture Image4 QUAUTER44", "pause 100", "play RED",
                                      "picture Image1 QUAUTER11"}));
    EXPECT_EQ(h.game.Target, "RG");
    EXPECT_EQ(h.game.Entered, "RG");
}

TEST(Flash, ClicksDuringAFlashWaitForTheNextPumpOrTheEventLoop) {
    Harness h;
    for (Control quarter : {Control::Image1, Control::Image2, Control::Image3})
        h.board.enable(quarter);
    h.board.queue(fake::AtTime{50ms}, Input::Click, Control::Image2);   // during the pause
    h.board.queue(fake::AtTime{300ms}, Input::Click, Control::Image3);  // during the clip
    h.game.Image1Click();
    EXPECT_EQ(h.game.Entered, "R");
    h.board.runLoop();
    EXPECT_EQ(h.game.Entered, "RBY");
    EXPECT_EQ(h.board.pending(), 0u);
}

TEST(Flash, LooksEveryItemUpAgainAtEveryUse) {
    Harness h;
    h.game.Image1Click();
    h.media = fake::catalogue("quauter11");
    EXPECT_THROW(h.game.Image1Click(), media::NotFound);
    h.media = fake::catalogue("RED");
    EXPECT_THROW(h.game.Image1Click(), media::NotFound);
}

}  // namespace
