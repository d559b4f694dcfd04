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
using Ops = std::vector<std::string>;

long countOf(const Ops& ops, std::string_view what) {
    return std::ranges::count(ops, std::string(what));
}

TEST(Round, FormCreateSetsLevelOneAndTheStatusSize) {
    Harness h;
    EXPECT_EQ(h.board.ops(), (Ops{"size 28"}));
    EXPECT_EQ(h.game.Level, 1);
    EXPECT_EQ(h.game.Target, "");
    EXPECT_EQ(h.game.Entered, "");
    EXPECT_EQ(h.game.Recording, 0);
    EXPECT_EQ(h.game.FailLength, 0);
}

TEST(Round, AtLevelOnePlaysTheStartClipAnnouncesFlashesTwoColoursAndHandsOver) {
    Harness h;
    const auto mark = h.board.mark();
    h.start("RR");
    EXPECT_EQ(
        h.board.ops(mark),
        (Ops{"input start", "hide Image5", "disable Button1", "play START", "hide Label2",
             "size 28", "disable Button2", "text Label1 ピコラッタスタート", "pump", "pause 2000",
             "reseed", "picture Image1 QUAUTER1", "pump", "pause 100", "play RED",
             "picture Image1 QUAUTER11",
             // the same colour again: white again with no pump in between
             "picture Image1 QUAUTER1", "pump", "pause 100", "play RED", "picture Image1 QUAUTER11",
             "enable Image1", "enable Image2", "enable Image3", "enable Image4",
             "text Label1 あなたの番", "disable Button1", "enable Button2"}));
    EXPECT_EQ(h.game.Target, "RR");
    EXPECT_EQ(h.game.Entered, "") << "the playback's own letters are not the player's entry";
    EXPECT_EQ(h.game.Recording, 0);
    EXPECT_EQ(h.random.remaining(), 0u);
}

TEST(Round, Timing) {
    Harness h;
    h.start("BG");
    const fake::Time start = fake::clipLength("START");
    const fake::Time firstLit = start + 2000ms;
    const fake::Time secondLit = firstLit + 100ms + fake::clipLength("BLUE");
    const fake::Time end = secondLit + 100ms + fake::clipLength("GREEN");
    EXPECT_EQ(h.board.timeOf("play START"), fake::Time{});
    EXPECT_EQ(h.board.timeOf("text Label1 ピコラッタスタート"), start);
    EXPECT_EQ(h.board.timeOf("picture Image2 QUAUTER2"), firstLit);
    EXPECT_EQ(h.board.timeOf("play BLUE"), firstLit + 100ms);
    EXPECT_EQ(h.board.timeOf("picture Image4 QUAUTER4"), secondLit);
    EXPECT_EQ(h.board.timeOf("play GREEN"), secondLit + 100ms);
    EXPECT_EQ(h.board.timeOf("enable Button2"), end);
    EXPECT_EQ(h.board.now(), end);
}

TEST(Round, ShowsLevelPlusOneColours) {
    for (int level : {1, 2, 7}) {
        SCOPED_TRACE("level " + std::to_string(level));
        Harness h;
        h.game.Level = level;
        const std::string draws = std::string("RBYGRBYGRBYG").substr(0, level + 1);
        h.start(draws);
        const Ops ops = h.board.ops();
        EXPECT_EQ(h.game.Target, draws);
        EXPECT_EQ(countOf(ops, "play RED") + countOf(ops, "play BLUE") +
                      countOf(ops, "play YELLOW") + countOf(ops, "play GREEN"),
                  level + 1);
        EXPECT_EQ(h.game.Level, level);
    }
}

TEST(Round, EachRoundDrawsAFreshSequenceAfterReseeding) {
    Harness h;
    h.start("RB");
    h.enter("RB");
    h.judge();
    const auto mark = h.board.mark();
    h.start("GYB");
    EXPECT_EQ(h.game.Target, "GYB");
    EXPECT_EQ(countOf(h.board.ops(), "reseed"), 2);
    EXPECT_EQ(h.board.timeOf("reseed", mark), h.board.timeOf("pause 2000", mark) + 2000ms);
}

struct Phase {
    bool start, judge, quarters;
    int recording;
    bool operator==(const Phase&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Phase& p) {
    return out << "{start " << p.start << ", judge " << p.judge << ", quarters " << p.quarters
               << ", recording " << p.recording << "}";
}

Phase phaseOf(const Harness& h) {
    return {h.board.state(Control::Button1).enabled, h.board.state(Control::Button2).enabled,
            h.board.state(Control::Image1).enabled && h.board.state(Control::Image4).enabled,
            h.game.Recording};
}

// Looks at the controls at each of the playback's three pumps, and after the hand-over.
std::vector<Phase> phasesOfRound(Harness& h, std::string_view draws) {
    std::vector<Phase> seen;
    for (long n = 1; n <= 3; ++n)
        h.board.queueCall(fake::AtPump{n}, [&] { seen.push_back(phaseOf(h)); });
    h.start(draws);
    seen.push_back(phaseOf(h));
    return seen;
}

TEST(Round, ControlsThroughThePhasesOfARound) {
    Harness h;
    EXPECT_EQ(phaseOf(h), (Phase{true, false, false, 0})) << "before the first round";
    EXPECT_EQ(phasesOfRound(h, "YY"), (std::vector<Phase>{{false, false, false, 0},
                                                          {false, false, false, 1},
                                                          {false, false, false, 1},
                                                          {false, true, true, 0}}));
    h.enter("GG");
    h.judge();  // a failure: Judge stays enabled
    EXPECT_EQ(phasesOfRound(h, "BR"), (std::vector<Phase>{{false, false, true, 0},
                                                          {false, false, true, 1},
                                                          {false, false, true, 1},
                                                          {false, true, true, 0}}));
}

TEST(Round, JudgeRightAfterTheHandOverDoesNothing) {
    Harness h;
    h.start("RB");
    const auto mark = h.board.mark();
    h.judge();
    h.board.deliver(Input::RightPress, Control::Image3);
    EXPECT_EQ(h.board.ops(mark), (Ops{"input judge", "input right Image3"}));
    EXPECT_EQ(h.game.Level, 1);
    EXPECT_EQ(h.game.Target, "RB");
}

}  // namespace
