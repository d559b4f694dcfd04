#include "player.h"

#include <array>
#include <cmath>
#include <thread>

namespace player {

using namespace std::chrono_literals;

namespace {

constexpr std::size_t indexProbes = std::size(layout::quarters);

std::size_t quarterOf(char letter) { return letters.find(letter); }

bool smiling(const Watcher::Colours& c) { return c[0] == yellow && c[1] == yellow; }
bool glum(const Watcher::Colours& c) { return c[0] == blue && c[2] == blue && c[3] == blue; }

}  // namespace

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string_view clipOf(char letter) {
    switch (letter) {
        case 'R':
            return "RED";
        case 'B':
            return "BLUE";
        case 'Y':
            return "YELLOW";
        case 'G':
            return "GREEN";
    }
    return {};
}

std::uint32_t normalColour(char letter) {
    switch (letter) {
        case 'R':
            return 0xff0000;
        case 'B':
            return 0x0000ff;
        case 'Y':
            return 0xffff00;
        case 'G':
            return 0x00ff00;
    }
    return 0;
}

Session::Session(bool sound, std::string logFile) : sound_(sound), logFile_(std::move(logFile)) {}

// The game goes first: the servers it uses are stopped after it.
Session::~Session() {
    eyes_.reset();
    if (game_) game_->stop();
}

std::string Session::launch(const std::string& executable) {
    if (display().empty()) return "no Xvfb could be started";
    std::string pulse =
        "unix:" +
        (std::filesystem::temp_directory_path() / "melquad_no_sound_server" / "native").string();
    if (sound_) {
        server_ = std::make_unique<support::PrivatePulse>(soundFolder_.path(), true);
        if (!server_->start()) return "the private sound server did not come up";
        recorder_ =
            std::make_unique<support::Recorder>(*server_, soundFolder_.path() / "recording.wav");
        pulse = server_->address();
    }
    game_ = std::make_unique<support::Child>(
        std::vector<std::string>{executable},
        std::vector<std::string>{"DISPLAY=" + display(), "QT_QPA_PLATFORM=xcb",
                                 "PULSE_SERVER=" + pulse, "SDL_AUDIODRIVER"},
        logFile_);
    hands_ = std::make_unique<Screen>(display());
    if (!hands_->connected()) return "cannot connect to " + display();
    const auto until = Clock::now() + 20s;
    std::optional<QPoint> window;
    while (!(window = hands_->findWindow("MELQUAD"))) {
        if (Clock::now() > until || !game_->running()) return "the game's window did not appear";
        std::this_thread::sleep_for(20ms);
    }
    origin_ = *window;
    std::vector<QPoint> probes;
    for (QPoint p : layout::quarters) probes.push_back(origin_ + p);
    for (QPoint p : layout::indexCorners) probes.push_back(origin_ + p);
    eyes_ = std::make_unique<Watcher>(display(), probes, recorder_.get());
    std::size_t from = 0;
    if (!eyes_->waitFor(from, atRest, 10s)) return "the board was not painted";
    // The game's stream is connected by now, and sets how far ahead the sink renders.
    if (server_) renderAhead_ = server_->renderAhead();
    return {};
}

Clock::time_point Session::recordingStart() const {
    const auto seen = eyes_->recordingStart();
    // The monitor's samples arrive as they are rendered, ahead of being played.
    return seen == Clock::time_point::max() ? seen : seen + renderAhead_;
}

Clock::time_point Player::press(QPoint at, Screen::Button button) {
    const auto now = Clock::now();
    session_.hands().click(session_.origin() + at, button);
    return now;
}

bool atRest(const Watcher::Colours& colours) {
    for (std::size_t q = 0; q < indexProbes; ++q)
        if (colours[q] != normalColour(letters[q])) return false;
    return true;
}

std::vector<Flash> Player::readFlashes(std::size_t from, int count,
                                       const std::function<void()>& whileLit) {
    const auto until = Clock::now() + 6s + count * 1500ms;
    for (bool litSeen = false;;) {
        const std::vector<Frame> frames = session_.eyes().frames();
        std::vector<Flash> runs;
        std::array<int, indexProbes> open;
        open.fill(-1);
        for (std::size_t f = from; f < frames.size(); ++f)
            for (std::size_t q = 0; q < indexProbes; ++q) {
                const bool lit = frames[f].colours[q] == white;
                if (lit && open[q] < 0) {
                    open[q] = static_cast<int>(runs.size());
                    runs.push_back({letters[q], frames[f].at, {}, 0, 1});
                } else if (!lit && open[q] >= 0) {
                    runs[static_cast<std::size_t>(open[q])].off = frames[f].at;
                    open[q] = -1;
                }
            }
        if (!runs.empty() && !litSeen && whileLit) whileLit();
        litSeen = litSeen || !runs.empty();
        const bool closed = std::ranges::all_of(open, [](int run) { return run < 0; });
        std::vector<Flash> seen;
        for (const Flash& run : runs) {
            const auto nominal = 110ms + lengthOf(clipOf(run.letter));
            const int of =
                std::max(1, static_cast<int>(std::lround(ms(run.off - run.on) / ms(nominal))));
            for (int k = 0; k < of; ++k) seen.push_back({run.letter, run.on, run.off, k, of});
        }
        if (closed && static_cast<int>(seen.size()) >= count) return seen;
        if (Clock::now() > until) return {};
        std::this_thread::sleep_for(5ms);
    }
}

void Player::noteFlashes(const std::vector<Flash>& seen) {
    for (const Flash& flash : seen) {
        flashes_.push_back(flash);
        cues_.push_back({std::string(clipOf(flash.letter)), flash.on + 100ms, flash.repeat == 0,
                         static_cast<int>(flashes_.size()) - 1});
    }
}

std::string Player::playRound(int count, const std::function<void()>& whileLit) {
    const std::size_t from = mark();
    const auto pressed = press(layout::start);
    cues_.push_back({"START", pressed});
    const std::vector<Flash> seen = readFlashes(from, count, whileLit);
    if (seen.empty()) return {};
    startToWhite_.push_back(seen.front().on - pressed);
    noteFlashes(seen);
    std::string sequence;
    for (const Flash& flash : seen) sequence += flash.letter;
    return sequence;
}

bool Player::enter(std::string_view sequence) {
    for (char letter : sequence) {
        const std::size_t q = quarterOf(letter);
        std::size_t from = mark() == 0 ? 0 : mark() - 1;
        if (!session_.eyes().waitFor(from, atRest, 5s)) return false;
        from = mark();
        const auto pressed = press(layout::quarters[q]);
        const auto lit = session_.eyes().waitFor(
            from, [&](const Watcher::Colours& c) { return c[q] == white; }, 2s);
        if (!lit) return false;
        const auto back = session_.eyes().waitFor(
            from, [&](const Watcher::Colours& c) { return c[q] != white; }, 5s);
        if (!back) return false;
        clickToWhite_.push_back(lit->at - pressed);
        noteFlashes({{letter, lit->at, back->at, 0, 1}});
    }
    return true;
}

bool Player::judge(Verdict expected, const std::string& target, char rightPressOn,
                   const std::function<void()>& onFace) {
    std::size_t from = mark();
    const auto pressed = rightPressOn != 0
                             ? press(layout::quarters[quarterOf(rightPressOn)], Screen::Right)
                             : press(layout::judge);
    cues_.push_back({expected == Verdict::Right ? "ATARI" : "HAZURE", pressed});
    if (expected == Verdict::Right) {
        const auto face = session_.eyes().waitFor(from, smiling, 5s);
        if (!face) return false;
        judgeToSmile_.push_back(face->at - pressed);
        if (onFace) onFace();
        return true;
    }
    const auto face = session_.eyes().waitFor(from, glum, 5s);
    if (!face) return false;
    judgeToGlum_.push_back(face->at - pressed);
    if (onFace) onFace();
    const std::vector<Flash> replay = readFlashes(from, static_cast<int>(target.size()));
    if (replay.empty()) return false;
    glumFaceShown_.push_back(replay.front().on - face->at);
    noteFlashes(replay);
    std::string replayed;
    for (const Flash& flash : replay) replayed += flash.letter;
    indexLineSeen_ =
        session_.eyes()
            .waitFor(
                from,
                [&](const Watcher::Colours& c) {
                    return atRest(c) && c[indexProbes] == white && c[indexProbes + 1] == white;
                },
                3s)
            .has_value();
    return replayed == target;
}

void Player::pressEnd() { press(layout::end); }

QImage Player::snap() { return session_.hands().grab(QRect(session_.origin(), layout::window)); }

}  // namespace player
