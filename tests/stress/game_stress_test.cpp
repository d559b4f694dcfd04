// Random player actions against the game on the scripted board and its virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <random>

#include "fake_board.h"
#include "game/game.h"
#include "game/texts.h"
#include "phases.h"
#include "seed.h"
#include "test_media.h"

namespace {

using namespace std::chrono_literals;
using fake::Input;
using game::Control;

constexpr Control quarters[] = {Control::Image1, Control::Image2, Control::Image3, Control::Image4};

// Forwards to the scripted board and lets the test see every call: it learns when a round's
// playback runs and may act at every pump and pause.
class Watched final : public game::BoardView {
public:
    explicit Watched(fake::Board& board) : board_(board) {}

    void setPicture(Control control, const media::Item& picture) override {
        board_.setPicture(control, picture);
    }
    void show(Control control) override { board_.show(control); }
    void hide(Control control) override { board_.hide(control); }
    void setText(Control label, std::string_view utf8) override {
        // The announcement opens a playback; "your turn" follows its end with no pump between.
        if (label == Control::Label1 && utf8 == game::announceText) {
            ++playbacks;
            if (onAnnounce) onAnnounce();
        }
        if (label == Control::Label1 && utf8 == game::yourTurnText) --playbacks;
        board_.setText(label, utf8);
    }
    void setStatusSize(int points) override { board_.setStatusSize(points); }
    void enable(Control control) override { board_.enable(control); }
    void disable(Control control) override { board_.disable(control); }
    void pump() override {
        if (onPump) onPump();
        board_.pump();
    }
    void pause(std::chrono::milliseconds duration) override {
        if (onPause) onPause(duration);
        board_.pause(duration);
    }
    void playClip(std::span<const std::uint8_t> wave) override { board_.playClip(wave); }

    int playbacks = 0;
    std::function<void()> onAnnounce;
    std::function<void()> onPump;
    std::function<void(std::chrono::milliseconds)> onPause;

private:
    fake::Board& board_;
};

// One window's lifetime: a fresh game on a fresh board.
struct Session {
    explicit Session(std::mt19937_64& engine) : random(engine) {
        board.attach(game);
        game.FormCreate();
    }
    fake::Board board;
    Watched view{board};
    stress::SeededRandom random;
    media::Catalogue media = fake::catalogue();
    game::Game game{view, media, random};
};

stress::Snapshot snapshot(const Session& s) {
    const auto& b = s.board;
    const auto& g = s.game;
    stress::Snapshot out;
    out.startEnabled = b.state(Control::Button1).enabled;
    out.judgeEnabled = b.state(Control::Button2).enabled;
    out.quartersEnabled = static_cast<int>(
        std::ranges::count_if(quarters, [&](Control q) { return b.state(q).enabled; }));
    out.overlayShown = b.state(Control::Image5).visible;
    out.overlaySmile = b.state(Control::Image5).picture == "SMILE";
    out.indexShown = b.state(Control::Label2).visible;
    out.indexText = b.state(Control::Label2).text;
    out.statusText = b.state(Control::Label1).text;
    out.statusSize = b.statusSize();
    out.letter = g.Letter;
    out.target = g.Target;
    out.entered = g.Entered;
    out.recording = g.Recording;
    out.level = g.Level;
    out.failLength = g.FailLength;
    return out;
}

bool quarterTakesInput(const Session& s, Control quarter) {
    return s.board.state(quarter).enabled && !s.board.state(Control::Image5).visible;
}

// Checks the game after every handler, at every pump and at the announcement's pause; the
// first broken rule fails the test and stops the run.
class Checker {
public:
    explicit Checker(std::string context) : context_(std::move(context)) {}

    bool failed() const { return failed_; }

    void anytime(const Session& s, const char* where) {
        const stress::Snapshot now = snapshot(s);
        std::string broken = stress::brokenAnytime(now);
        if (broken.empty() && now.recording == 1 && s.view.playbacks <= 0)
            broken = "Recording is 1 only inside a playback";
        report(broken, where, now);
    }

    void atRest(const Session& s, const stress::Finished& last) {
        const stress::Snapshot now = snapshot(s);
        std::string broken = stress::brokenAtRest(now, last);
        if (broken.empty() && s.view.playbacks != 0) broken = "every playback has ended";
        report(broken, "at rest", now);
    }

    // Each announcement's pause follows its own pump. Unless an outer playback was recording at
    // the announcement (input nested at that pump can then judge, fail and start rounds of its
    // own), the round has only just begun: Start and Judge disabled, no sequence.
    void announced(const Session& s) { recordingAtAnnouncement_.push_back(s.game.Recording); }

    void announcementOver(const Session& s) {
        const bool quiet = recordingAtAnnouncement_.back() == 0;
        recordingAtAnnouncement_.pop_back();
        const stress::Snapshot now = snapshot(s);
        if (!quiet) return;
        std::string broken;
        if (now.startEnabled || now.judgeEnabled || !now.target.empty() ||
            now.statusText != game::announceText)
            broken = "the announcement shows with Start and Judge disabled and no sequence";
        report(broken, "at the announcement", now);
    }

    void report(const std::string& broken, const char* where, const stress::Snapshot& now) {
        if (broken.empty() || failed_) return;
        failed_ = true;
        ADD_FAILURE() << broken << " (" << where << ", " << context_ << ")\n"
                      << stress::describe(now);
    }

    std::string context_;
    bool failed_ = false;
    std::vector<std::int32_t> recordingAtAnnouncement_;
};

enum class Action { Click, DoubleClick, RightPress, MiddlePress, Start, Judge, End };

struct Figures {
    long delivered = 0;  // actions delivered to an open window
    long handled = 0;    // those that reached an enabled control
    long dropped = 0;    // those that came after End, before the window was gone
    long sessions = 0;
    long rounds = 0;
    long successes = 0;
    long failures = 0;
    int deepest = 0;  // actions nested inside one another
    int highestLevel = 1;
    std::size_t longestTarget = 0;
    fake::Time played{};
};

// Random actions at random pumps: every delivered action queues the next ones, so that they
// arrive nested inside its handler's pumps or back in the event loop.
class RandomPlayer {
public:
    RandomPlayer(std::uint64_t seed, long actions)
        : engine_(seed), actions_(actions), check_("seed " + std::to_string(seed)) {}

    Figures run() {
        while (figures_.delivered < actions_ && !check_.failed()) {
            session_ = std::make_unique<Session>(engine_);
            closed_ = false;
            last_ = {};
            ++figures_.sessions;
            session_->view.onPump = [this] { check_.anytime(*session_, "at a pump"); };
            session_->view.onAnnounce = [this] { check_.announced(*session_); };
            session_->view.onPause = [this](std::chrono::milliseconds d) {
                if (d == 2000ms) check_.announcementOver(*session_);
            };
            queueNext();
            session_->board.runLoop();
            figures_.played += session_->board.now();
            const auto& log = session_->board.ops();
            if (const auto error = std::ranges::find_if(
                    log, [](const std::string& op) { return op.starts_with("error"); });
                error != log.end())
                ADD_FAILURE() << *error << " (" << check_.context_ << ")";
        }
        return figures_;
    }

private:
    long random(long below) { return std::uniform_int_distribution<long>(0, below - 1)(engine_); }

    Action pick() {
        // In thousandths; End is rare so that games grow long.
        const long r = random(1000);
        if (r < 1) return Action::End;
        if (r < 400) return Action::Click;
        if (r < 450) return Action::DoubleClick;
        if (r < 540) return Action::RightPress;
        if (r < 580) return Action::MiddlePress;
        if (r < 790) return Action::Start;
        return Action::Judge;
    }

    fake::AtPump when() { return {random(10) < 8 ? 1 + random(3) : 1 + random(40)}; }

    // Keeps one to three actions waiting while the budget lasts.
    void queueNext() {
        if (closed_ || queued_ >= actions_) return;
        const long count = session_->board.pending() == 0 ? 1 + random(2) : random(2);
        for (long i = 0; i < count && queued_ < actions_; ++i, ++queued_) {
            const Action action = pick();
            session_->board.queueCall(when(), [this, action] { deliver(action); });
        }
    }

    // The quarter a player who follows the round would press next, or any quarter.
    Control aim() {
        const auto& g = session_->game;
        if (random(10) < 7 && g.Entered.size() < g.Target.size())
            return game::colourOf(g.Target[g.Entered.size()])->quarter;
        return quarters[random(4)];
    }

    void deliver(Action action) {
        if (closed_) {
            ++figures_.dropped;
            --queued_;  // the budget is for delivered actions
            return;
        }
        ++figures_.delivered;
        queueNext();
        Session& s = *session_;
        const Control quarter = aim();
        const bool reached = reaches(action, quarter);
        figures_.handled += reached;
        std::optional<stress::Finished> presenting;
        if (reached && action == Action::Start) {
            ++figures_.rounds;
            presenting = before(stress::Phase::PlayersTurn);
        }
        if (reached && (action == Action::Judge || action == Action::RightPress) &&
            !s.game.Target.empty() && !s.game.Entered.empty()) {
            const bool success = s.game.Target == s.game.Entered;
            ++(success ? figures_.successes : figures_.failures);
            presenting = before(success ? stress::Phase::Success : stress::Phase::Failure);
        }
        const long finishedBefore = finished_;

        figures_.deepest = std::max(figures_.deepest, ++depth_);
        switch (action) {
            case Action::Click:
                s.board.deliver(Input::Click, quarter);
                break;
            case Action::DoubleClick:
                // The second press arrives as a double-click, at the next pump.
                s.board.queueCall(fake::AtPump{1}, [this, quarter] { secondPress(quarter); });
                s.board.deliver(Input::Click, quarter);
                break;
            case Action::RightPress:
                s.board.deliver(Input::RightPress, quarter);
                break;
            case Action::MiddlePress:
                s.board.deliver(Input::MiddlePress, quarter);
                break;
            case Action::Start:
                s.board.deliver(Input::Start);
                break;
            case Action::Judge:
                s.board.deliver(Input::Judge);
                break;
            case Action::End:
                closed_ = true;
                break;
        }
        --depth_;
        if (presenting) {
            // Whatever finished inside it ran nested, before it ended.
            presenting->undisturbed = finished_ == finishedBefore;
            last_ = *presenting;
            ++finished_;
        }

        figures_.highestLevel = std::max(figures_.highestLevel, s.game.Level);
        figures_.longestTarget = std::max(figures_.longestTarget, s.game.Target.size());
        check_.anytime(s, "after a handler");
        if (depth_ == 0) check_.atRest(s, last_);
    }

    stress::Finished before(stress::Phase phase) const {
        const Session& s = *session_;
        return {phase,         true,           s.game.Level,
                s.game.Target, s.game.Entered, s.board.state(Control::Label2).visible};
    }

    void secondPress(Control quarter) {
        if (closed_ || !quarterTakesInput(*session_, quarter)) return;
        session_->game.Image1MouseDown(game::MouseButton::Left);
        check_.anytime(*session_, "after a double-click");
    }

    bool reaches(Action action, Control quarter) const {
        const auto& b = session_->board;
        switch (action) {
            case Action::Start:
                return b.state(Control::Button1).enabled;
            case Action::Judge:
                return b.state(Control::Button2).enabled;
            case Action::End:
                return true;
            default:
                return quarterTakesInput(*session_, quarter);
        }
    }

    std::mt19937_64 engine_;
    long actions_;
    long queued_ = 0;
    Checker check_;
    std::unique_ptr<Session> session_;
    bool closed_ = false;
    int depth_ = 0;
    stress::Finished last_;  // of this session
    long finished_ = 0;      // presentations finished so far
    Figures figures_;
};

TEST(GameStress, RandomActionsAtRandomPumpsKeepTheGameSound) {
    const std::uint64_t seed = stress::seed();
    const long actions = stress::countFromEnv("MELQUAD_STRESS_ACTIONS", 1'000'000);
    const Figures f = RandomPlayer(seed, actions).run();
    std::cout << "actions delivered " << f.delivered << " (" << f.handled
              << " reached an enabled control, " << f.dropped << " dropped after End), games "
              << f.sessions << ", rounds " << f.rounds << ", successes " << f.successes
              << ", failures " << f.failures << ", deepest nesting " << f.deepest
              << ", highest level " << f.highestLevel << ", longest sequence " << f.longestTarget
              << ", virtual play time "
              << std::chrono::duration_cast<std::chrono::hours>(f.played).count() << " h\n";
    EXPECT_EQ(f.delivered, actions);
    EXPECT_GT(f.successes, 0);
    EXPECT_GT(f.failures, 0);
}

// Start pressed during the replay of a round that was itself started from a replay, again and
// again: a right press at each nested playback's second flash fails it, its replay enables
// Start, and Start is pressed at the replay's second flash.
TEST(GameStress, RoundsNestedTwoHundredDeepRunToTheirEnd) {
    constexpr int depth = 200;
    std::mt19937_64 engine(1);
    Session s(engine);
    Checker check("nested rounds");
    bool chain = false;
    int rounds = 0, running = 0, deepest = 0;
    std::vector<bool> judged;  // per running nested round: its playback has been judged
    s.view.onPump = [&] {
        check.anytime(s, "at a pump");
        if (!chain || rounds >= depth) return;
        if (s.board.state(Control::Button1).enabled) {
            ++rounds;
            deepest = std::max(deepest, ++running);
            judged.push_back(false);
            s.board.deliver(Input::Start);
            judged.pop_back();
            --running;
            check.anytime(s, "after a nested round");
        } else if (s.game.Recording == 1 && s.game.Target.size() >= 2 && !judged.back()) {
            judged.back() = true;
            s.board.deliver(Input::RightPress, Control::Image3);
        }
    };

    // The first round is missed by one click; its replay starts the chain.
    s.board.deliver(Input::Start);
    s.board.deliver(Input::Click, Control::Image1);
    chain = true;
    stress::Finished failure{stress::Phase::Failure, false,          s.game.Level,
                             s.game.Target,          s.game.Entered, false};
    s.board.deliver(Input::Judge);
    check.atRest(s, failure);

    std::cout << "nested rounds " << deepest << ", board operations " << s.board.log().size()
              << "\n";
    EXPECT_EQ(deepest, depth);
    EXPECT_EQ(s.view.playbacks, 0);
    const auto handOvers =
        std::ranges::count(s.board.ops(), "text Label1 " + std::string(game::yourTurnText));
    EXPECT_EQ(handOvers, depth + 1) << "every nested round handed over to the player";
    EXPECT_FALSE(check.failed());
}

}  // namespace
