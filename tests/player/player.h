#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "child.h"
#include "clips.h"
#include "pulse.h"
#include "screen.h"
#include "servers.h"
#include "temp_dir.h"
#include "watcher.h"

namespace player {

// What a person knows of the game's window, in the window's own coordinates.
namespace layout {
inline constexpr QSize window{446, 541};
// Points inside the four quarters (red, blue, yellow, green), clear of the faces' eyes, mouths
// and the index line.
inline constexpr QPoint quarters[] = {{116, 156}, {316, 156}, {116, 356}, {316, 356}};
// The index line's bottom corners, below its text.
inline constexpr QPoint indexCorners[] = {{58, 264}, {374, 264}};
inline constexpr QPoint start{101, 484}, judge{221, 484}, end{341, 484};
inline constexpr QRect status{16, 8, 401, 41}, indexLine{56, 240, 321, 25};
}  // namespace layout

inline constexpr std::string_view letters = "RBYG";
std::string_view clipOf(char letter);
// The colour a quarter shows at rest, 0xRRGGBB.
std::uint32_t normalColour(char letter);
inline constexpr std::uint32_t white = 0xffffff, yellow = 0xffff00, blue = 0x0000ff;
// Whether the probed quarters all show their own colours.
bool atRest(const Watcher::Colours& colours);

// One flash seen on the board. Flashes of one colour straight after each other keep the
// quarter white throughout: such a run is told apart by its length, and its flashes share the
// run's white period (`repeat` is the flash's place in it, `of` its length).
struct Flash {
    char letter;
    Clock::time_point on, off;
    int repeat = 0, of = 1;
};

// The game running on an X server, with or without a private sound server.
class Session {
public:
    // With sound: a private server whose sink is recorded. Without: the game is pointed at a
    // server that does not exist.
    explicit Session(bool sound, std::string logFile = {});
    ~Session();

    // Starts the game and waits for its board; empty on success, else what went wrong.
    std::string launch(const std::string& executable);
    const std::string& display() const { return x_.display(); }
    Screen& hands() { return *hands_; }
    const Watcher& eyes() const { return *eyes_; }
    QPoint origin() const { return origin_; }
    support::Child& game() { return *game_; }
    support::Recorder* recorder() { return recorder_.get(); }
    // When the recording's first sample was played, as far as can be told.
    Clock::time_point recordingStart() const;
    std::chrono::microseconds renderAhead() const { return renderAhead_; }

private:
    bool sound_;
    std::string logFile_;
    XServer x_;
    support::TempDir soundFolder_{"melquad_player"};
    std::unique_ptr<support::PrivatePulse> server_;
    std::unique_ptr<support::Recorder> recorder_;
    std::unique_ptr<support::Child> game_;
    std::unique_ptr<Screen> hands_;
    std::unique_ptr<Watcher> eyes_;
    QPoint origin_;
    std::chrono::microseconds renderAhead_{};
};

// Plays the game through clicks and the probed pixels only, keeping what it saw and heard.
class Player {
public:
    explicit Player(Session& session) : session_(session) {}

    // Presses Start and reads the round's `count` colours as they flash; empty on timeout.
    // `whileLit` runs once, as soon as the first quarter has turned white.
    std::string playRound(int count, const std::function<void()>& whileLit = {});
    // Clicks these quarters one after another, each once the board is at rest.
    bool enter(std::string_view letters);
    enum class Verdict { Right, Wrong };
    // Judges with the Judge button, or with a right-press on this quarter, and waits for the
    // verdict's face: the smiling face, or the glum face followed by the replay of `target`
    // and the index line. False when the expected face or replay did not come. `onFace` runs
    // as soon as the face is seen.
    bool judge(Verdict expected, const std::string& target, char rightPressOn = 0,
               const std::function<void()>& onFace = {});
    void pressEnd();

    std::size_t mark() const { return session_.eyes().frameCount(); }
    QImage snap();

    // What was seen.
    const std::vector<Flash>& flashes() const { return flashes_; }
    const std::vector<Cue>& cues() const { return cues_; }
    const std::vector<Clock::duration>& clickToWhite() const { return clickToWhite_; }
    const std::vector<Clock::duration>& startToWhite() const { return startToWhite_; }
    const std::vector<Clock::duration>& glumFaceShown() const { return glumFaceShown_; }
    const std::vector<Clock::duration>& judgeToSmile() const { return judgeToSmile_; }
    const std::vector<Clock::duration>& judgeToGlum() const { return judgeToGlum_; }
    bool indexLineSeen() const { return indexLineSeen_; }

private:
    Clock::time_point press(QPoint at, Screen::Button button = Screen::Left);
    // Reads `count` flashes from the frame `from` on, as the quarters turn white and back.
    std::vector<Flash> readFlashes(std::size_t from, int count,
                                   const std::function<void()>& whileLit = {});
    void noteFlashes(const std::vector<Flash>& seen);

    Session& session_;
    std::vector<Flash> flashes_;
    std::vector<Cue> cues_;
    std::vector<Clock::duration> clickToWhite_, startToWhite_, glumFaceShown_, judgeToSmile_,
        judgeToGlum_;
    bool indexLineSeen_ = false;
};

double ms(Clock::duration d);

}  // namespace player
