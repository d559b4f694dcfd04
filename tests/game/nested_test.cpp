#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "expected.h"
#include "harness.h"

namespace {

using namespace std::chrono_literals;
using fake::AtTime;
using fake::Harness;
using fake::Input;
using fake::Time;
using game::Control;
using Ops = std::vector<std::string>;

// When a round started now shows its announcement, and when its first quarter lights.
Time announcement(const Harness& h) { return h.board.now() + fake::clipLength("START"); }
Time firstFlash(const Harness& h) { return announcement(h) + 2000ms; }

void winFirstRound(Harness& h) {
    h.start("RB");
    h.enter("RB");
    h.judge();
    ASSERT_EQ(h.game.Level, 2);
}

TEST(Nested, ClicksDuringALaterPlaybackJoinTheSequenceOnceRecordingHasBegun) {
    Harness h;
    winFirstRound(h);
    h.board.queue(AtTime{announcement(h)}, Input::Click, Control::Image1);  // not yet recording
    h.board.queue(AtTime{firstFlash(h)}, Input::Click, Control::Image2);
    h.start("GYB");
    EXPECT_EQ(h.board.pending(), 0u);
    EXPECT_EQ(h.game.Target, "GBYB");
    EXPECT_EQ(h.game.Entered, "");

    h.enter("GBYB");
    h.judge();
    EXPECT_EQ(h.game.Level, 3) << "the player had to repeat the added letter too";
}

TEST(Nested, ARightPressBeforeTheFirstFlashJudgesAnEmptySequence) {
    Harness h;
    h.start("RB");
    h.enter("BB");
    h.judge();
    h.board.queueCall(fake::AtPump{1}, [&] { EXPECT_EQ(h.game.Entered, "BBRB"); });
    h.board.queue(fake::AtPump{1}, Input::RightPress, Control::Image3);
    const auto mark = h.board.mark();
    h.start("GG");
    const Ops ops = h.board.ops(mark);
    const Ops opening(ops.begin() + 7, ops.begin() + 11);
    EXPECT_EQ(opening,
              (Ops{"text Label1 ピコラッタスタート", "pump", "input right Image3", "pause 2000"}));
    EXPECT_EQ(h.game.Target, "GG");
    EXPECT_EQ(h.game.Level, 1);
}

// A success judged at a flash's pump clears the sequence; the playback still shows as many colours
// as it set out to, and the hand-over disables Start again.
TEST(Nested, ARightPressAtAFlashJudgesThePartSequenceAndThePlaybackGoesOn) {
    Harness h;
    winFirstRound(h);
    h.board.queue(AtTime{firstFlash(h)}, Input::RightPress, Control::Image4);
    h.start("GYB");
    EXPECT_EQ(h.game.Level, 3);
    EXPECT_EQ(h.game.Target, "YB");
    EXPECT_EQ(h.game.Entered, "");
    EXPECT_FALSE(h.board.state(Control::Button1).enabled);
    EXPECT_TRUE(h.board.state(Control::Button2).enabled);
    EXPECT_TRUE(h.board.state(Control::Image5).visible) << "the success face stays up";
    EXPECT_EQ(h.board.state(Control::Label1).text, "あなたの番");
}

TEST(Nested, StartDuringAReplayRunsAWholeRoundAndTheReplayGoesOnOverTheNewSequence) {
    Harness h;
    h.game.Level = 3;
    h.start("RBYG");
    h.enter("R");
    // The replay's second flash pumps after the failure clip, 3000 ms, and the red flash.
    const Time secondReplayed =
        h.board.now() + fake::clipLength("HAZURE") + 3000ms + 100ms + fake::clipLength("RED");
    h.board.queue(AtTime{secondReplayed}, Input::Start);
    const Time nestedFirstFlash = secondReplayed + fake::clipLength("START") + 2000ms;
    h.board.queue(AtTime{nestedFirstFlash}, Input::Click, Control::Image1);
    h.random.script("GY");
    h.judge();
    EXPECT_EQ(h.board.pending(), 0u);

    const Ops ops = h.board.ops();
    const auto handOver = std::find(ops.rbegin(), ops.rend(), "enable Button2").base();
    const std::string index = "text Label2 あなたのピコラッタ指数は4です";
    Ops after{"pause 100",      "play BLUE", "picture Image2 QUAUTER22",
              "enable Button1", index,       "show Label2"};  // the interrupted blue flash
    const Ops yellow = expected::flash('Y');
    after.insert(after.end(), yellow.begin(), yellow.end());
    after.insert(after.end(), {"enable Button1", index, "show Label2",    // third position: "Y"
                               "enable Button1", index, "show Label2"});  // fourth: none
    EXPECT_EQ(Ops(handOver, ops.end()), after);

    EXPECT_EQ(h.game.Target, "GRY");
    EXPECT_EQ(h.game.Entered, "Y");
    EXPECT_EQ(h.game.Letter, "");
    EXPECT_EQ(h.game.FailLength, 4);
    EXPECT_EQ(h.game.Level, 1);
    EXPECT_TRUE(h.board.state(Control::Button1).enabled);
    EXPECT_TRUE(h.board.state(Control::Button2).enabled);
    EXPECT_TRUE(h.board.state(Control::Label2).visible);
    EXPECT_EQ(h.board.state(Control::Label1).text, "あなたの番");
}

}  // namespace
