#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness.h"

namespace {

using namespace std::chrono_literals;
using fake::Harness;
using fake::Input;
using game::Control;

// A round with these draws, then the entry and the verdict, until the missing item stops it.
TEST(MissingMedia, StopsTheHandlerAtThatStepAndKeepsWhatWasAppended) {
    struct Row {
        const char* name;  // as the game asks for it
        const char* draws;
        const char* entry;
        const char* lastOp;
        const char* target;
        const char* entered;
        int recording;
    };
    const Row rows[] = {
        {"START", "RB", "", "disable Button1", "", "", 0},
        {"RED", "RB", "", "reseed", "R", "", 1},
        {"quauter1", "RB", "", "reseed", "R", "R", 1},
        {"quauter11", "RB", "", "play RED", "R", "R", 1},
        {"BLUE", "RB", "", "picture Image1 QUAUTER11", "RB", "R", 1},
        {"quauter2", "RB", "", "picture Image1 QUAUTER11", "RB", "RB", 1},
        {"quauter22", "RB", "", "play BLUE", "RB", "RB", 1},
        {"YELLOW", "YG", "", "reseed", "Y", "", 1},
        {"quauter3", "YG", "", "reseed", "Y", "Y", 1},
        {"quauter33", "YG", "", "play YELLOW", "Y", "Y", 1},
        {"GREEN", "YG", "", "picture Image3 QUAUTER33", "YG", "Y", 1},
        {"quauter4", "YG", "", "picture Image3 QUAUTER33", "YG", "YG", 1},
        {"quauter44", "YG", "", "play GREEN", "YG", "YG", 1},
        {"smile", "RB", "RB", "picture Image2 QUAUTER22", "RB", "RB", 0},
        {"atari", "RB", "RB", "show Image5", "RB", "RB", 0},
        {"hazure", "RB", "BR", "text Label1 はずれ !\u3000正解はRB", "RB", "BR", 0},
        {"bad", "RB", "BR", "play HAZURE", "RB", "BR", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Harness h(fake::catalogue(row.name));
        h.random.script(row.draws);
        std::string message;
        try {
            h.game.Button1Click();
            for (const char* letter = row.entry; *letter != '\0'; ++letter) h.flash(*letter);
            if (*row.entry != '\0') h.game.Button2Click();
        } catch (const media::NotFound& e) {
            message = e.what();
        }
        EXPECT_EQ(message, std::string(row.name) + " リソースが見つかりません");
        EXPECT_EQ(h.board.ops().back(), row.lastOp);
        EXPECT_EQ(h.game.Target, row.target);
        EXPECT_EQ(h.game.Entered, row.entered);
        EXPECT_EQ(h.game.Recording, row.recording);
        EXPECT_EQ(h.game.Level, 1);
    }
}

// The window shows the message for the click alone; the playback it interrupted goes on.
TEST(MissingMedia, InANestedHandlerEndsOnlyThatHandler) {
    Harness h(fake::catalogue("quauter4"));
    h.start("RB");
    h.enter("RB");
    h.judge();
    ASSERT_EQ(h.game.Level, 2);
    const fake::Time firstFlash = h.board.now() + fake::clipLength("START") + 2000ms;
    h.board.queue(fake::AtTime{firstFlash}, Input::Click, Control::Image4);
    h.start("YBR");
    const std::vector<std::string> ops = h.board.ops();
    EXPECT_NE(std::find(ops.begin(), ops.end(), "error quauter4 リソースが見つかりません"),
              ops.end());
    EXPECT_EQ(h.game.Target, "YGBR");
    EXPECT_EQ(h.game.Entered, "");
    EXPECT_EQ(h.board.state(Control::Label1).text, "あなたの番");
    EXPECT_TRUE(h.board.state(Control::Button2).enabled);
}

}  // namespace
