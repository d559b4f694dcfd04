#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expected.h"
#include "harness.h"

namespace {

using namespace std::chrono_literals;
using fake::Harness;
using fake::Input;
using game::Control;
using game::MouseButton;
using Ops = std::vector<std::string>;

enum class Verdict { None, Success, Failure };

Verdict verdictOf(const Ops& ops) {
    if (ops.empty()) return Verdict::None;
    if (ops.front() == "picture Image5 SMILE") return Verdict::Success;
    if (ops.front() == "size 18") return Verdict::Failure;
    ADD_FAILURE() << "a judgement began with " << ops.front();
    return Verdict::None;
}

TEST(Judge, ComparesTheWholeEntryWithTheSequence) {
    struct Row {
        const char* target;
        const char* entered;
        Verdict verdict;
    };
    const Row rows[] = {
        {"RBY", "RBY", Verdict::Success},  {"G", "G", Verdict::Success},
        {"RBY", "RB", Verdict::Failure},    // a proper prefix
        {"RBY", "RBYG", Verdict::Failure},  // longer
        {"RBY", "BRY", Verdict::Failure},   // reordered
        {"", "RB", Verdict::None},         {"RB", "", Verdict::None},
        {"", "", Verdict::None},
    };
    for (const Row& row : rows) {
        for (int via = 0; via < 2; ++via) {
            SCOPED_TRACE(std::string(row.target) + " / " + row.entered +
                         (via ? " right press" : " Judge"));
            Harness h;
            h.game.Level = 4;
            h.game.Target = row.target;
            h.game.Entered = row.entered;
            const auto mark = h.board.mark();
            if (via == 0)
                h.game.Button2Click();
            else
                h.game.Image1MouseDown(MouseButton::Right);
            EXPECT_EQ(verdictOf(h.board.ops(mark)), row.verdict);
        }
    }
}

TEST(Judge, OnlyTheRightButtonJudges) {
    Harness h;
    h.game.Target = h.game.Entered = "RB";
    for (MouseButton button : {MouseButton::Left, MouseButton::Middle})
        h.game.Image1MouseDown(button);
    EXPECT_EQ(h.board.ops(1), Ops{});
    h.game.Image1MouseDown(MouseButton::Right);
    EXPECT_EQ(verdictOf(h.board.ops(1)), Verdict::Success);
}

TEST(Success, PlaysTheClipThenShowsTheFaceAndRaisesTheLevelWithoutAPump) {
    Harness h;
    h.game.Level = 4;
    h.game.Target = h.game.Entered = "RBYGR";
    const auto mark = h.board.mark();
    h.game.Button2Click();
    EXPECT_EQ(h.board.ops(mark), (Ops{"picture Image5 SMILE", "show Image5", "play ATARI",
                                      "size 20", "text Label1 OK Next Level ! Push スタート",
                                      "enable Button1", "disable Button2"}));
    EXPECT_EQ(h.game.Level, 5);
    EXPECT_EQ(h.game.Target, "");
    EXPECT_EQ(h.game.Entered, "");
}

TEST(Success, LeavesTheBoardReadyForALongerRound) {
    Harness h;
    h.start("YB");
    h.enter("YB");
    h.judge();
    EXPECT_TRUE(h.board.state(Control::Button1).enabled);
    EXPECT_FALSE(h.board.state(Control::Button2).enabled);
    EXPECT_TRUE(h.board.state(Control::Image5).visible);
    EXPECT_EQ(h.board.state(Control::Image5).picture, "SMILE");
    EXPECT_FALSE(h.board.state(Control::Label2).visible);
    EXPECT_EQ(h.board.state(Control::Label1).text, "OK Next Level ! Push スタート");
    EXPECT_EQ(h.board.statusSize(), 20);
    EXPECT_EQ(h.game.Level, 2);

    h.start("GGR");
    EXPECT_EQ(h.game.Target, "GGR");
    EXPECT_FALSE(h.board.state(Control::Image5).visible);
    EXPECT_EQ(h.board.statusSize(), 28);
}

// The letters a failure replays, each flash followed by the steps that run after every letter.
Ops replayOf(std::string_view letters, std::string_view index) {
    Ops ops;
    for (char letter : letters) {
        const Ops flash = expected::flash(letter);
        ops.insert(ops.end(), flash.begin(), flash.end());
        ops.insert(ops.end(),
                   {"enable Button1", "text Label2 " + std::string(index), "show Label2"});
    }
    return ops;
}

TEST(Failure, SpellsTheSequencePlaysTheClipShowsTheFaceThenReplays) {
    Harness h;
    h.game.Level = 3;
    h.game.Target = "RBBG";
    h.game.Entered = "RBGB";
    const auto mark = h.board.mark();
    h.game.Button2Click();
    Ops expected{"size 18",     "text Label1 はずれ !\u3000正解はRBBG",
                 "play HAZURE", "picture Image5 BAD",
                 "show Image5", "pump",
                 "pause 3000",  "hide Image5"};
    const Ops replay = replayOf("RBBG", "あなたのピコラッタ指数は4です");
    expected.insert(expected.end(), replay.begin(), replay.end());
    EXPECT_EQ(h.board.ops(mark), expected);

    const fake::Time shown = fake::clipLength("HAZURE");
    EXPECT_EQ(h.board.timeOf("picture Image5 BAD", mark), shown);
    EXPECT_EQ(h.board.timeOf("hide Image5", mark), shown + 3000ms);
    EXPECT_EQ(h.game.Level, 1);
    EXPECT_EQ(h.game.FailLength, 4);
    EXPECT_EQ(h.game.Target, "RBBG");
    EXPECT_EQ(h.game.Entered, "RBGBRBBG");
    EXPECT_EQ(h.game.Letter, "G");
}

TEST(Failure, StatusTextHasAnOrdinarySpaceBeforeTheBangAndAnIdeographicOneAfter) {
    Harness h;
    h.game.Target = "YG";
    h.game.Entered = "Y";
    h.game.Button2Click();
    const std::string text = h.board.state(Control::Label1).text;
    EXPECT_EQ(text,
              "\xE3\x81\xAF\xE3\x81\x9A\xE3\x82\x8C \x21\xE3\x80\x80"
              "\xE6\xAD\xA3\xE8\xA7\xA3\xE3\x81\xAF"
              "YG");
}

TEST(Failure, LeavesTheGameAtLevelOneWithTheIndexShown) {
    Harness h;
    h.game.Level = 2;
    h.start("RYB");
    h.enter("RY");
    h.judge();
    EXPECT_TRUE(h.board.state(Control::Button1).enabled);
    EXPECT_TRUE(h.board.state(Control::Button2).enabled);
    EXPECT_FALSE(h.board.state(Control::Image5).visible);
    EXPECT_TRUE(h.board.state(Control::Label2).visible);
    EXPECT_EQ(h.board.state(Control::Label2).text, "あなたのピコラッタ指数は3です");
    EXPECT_EQ(h.board.state(Control::Label1).text, "はずれ !\u3000正解はRYB");
    EXPECT_EQ(h.board.statusSize(), 18);
    EXPECT_EQ(h.game.Level, 1);
    EXPECT_EQ(h.game.Target, "RYB");
    EXPECT_EQ(h.game.Entered, "RYRYB");

    h.enter("G");  // the quarters still flash
    EXPECT_EQ(h.game.Entered, "RYRYBG");
    h.start("BB");
    EXPECT_EQ(h.game.Target, "BB");
    EXPECT_FALSE(h.board.state(Control::Label2).visible);
}

TEST(Failure, IndexHasTheLengthInDecimal) {
    Harness h;
    h.game.Target = "RBYGRBYGRBYG";
    h.game.Entered = "R";
    h.game.Button2Click();
    EXPECT_EQ(h.board.state(Control::Label2).text, "あなたのピコラッタ指数は12です");
    EXPECT_EQ(h.game.FailLength, 12);
}

TEST(Failure, JudgingAgainRepeatsTheSamePresentation) {
    Harness h;
    h.start("GB");
    h.enter("BG");
    auto mark = h.board.mark();
    h.judge();
    const Ops first = h.board.ops(mark);
    mark = h.board.mark();
    h.judge();
    EXPECT_EQ(h.board.ops(mark), first);
    EXPECT_EQ(h.game.Entered, "BGGBGB");
    EXPECT_EQ(h.board.state(Control::Label2).text, "あなたのピコラッタ指数は2です");
}

}  // namespace
