// The real sound output when there is nothing to play on, or when it goes away mid-game: the
// game plays on silently with the same rhythm, and sound comes back without a restart.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <thread>

#include "app/sound.h"
#include "app/tform1.h"
#include "media/embedded.h"
#include "pulse.h"
#include "temp_dir.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* clipNames[] = {"START", "RED", "BLUE", "YELLOW", "GREEN", "ATARI", "HAZURE"};
constexpr QPoint startButton{64 + 37, 472 + 12}, judgeButton{184 + 37, 472 + 12},
    inYellow{150, 320};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The samples of a clip's "data" chunk.
Bytes samplesOf(std::span<const std::uint8_t> wave) {
    for (std::size_t at = 12; at + 8 <= wave.size();) {
        const std::size_t size = wave[at + 4] | wave[at + 5] << 8 | wave[at + 6] << 16 |
                                 static_cast<std::size_t>(wave[at + 7]) << 24;
        if (std::equal(wave.begin() + at, wave.begin() + at + 4, "data"))
            return Bytes(wave.begin() + at + 8, wave.begin() + at + 8 + size);
        at += 8 + size + size % 2;
    }
    return {};
}

double lengthMs(std::span<const std::uint8_t> wave) {
    return static_cast<double>(samplesOf(wave).size()) * 1000 / 22050;
}

std::string nameOf(std::span<const std::uint8_t> wave) {
    for (const char* name : clipNames)
        if (std::ranges::equal(media::embedded().find(name).bytes, wave)) return name;
    return "?";
}

// Every pause and clip, timed, around the real ones; a hook may act before each.
class TimedTiming final : public Timing {
public:
    explicit TimedTiming(Timing& real) : real_(real) {}

    struct Step {
        std::string what;  // "pause N" or the clip's name
        double expectedMs;
        double tookMs;
    };

    void pause(std::chrono::milliseconds duration) override {
        const std::string what = "pause " + std::to_string(duration.count());
        if (before) before(what);
        const auto start = Clock::now();
        real_.pause(duration);
        steps.push_back({what, static_cast<double>(duration.count()), ms(Clock::now() - start)});
    }

    void play(std::span<const std::uint8_t> wave) override {
        const std::string what = nameOf(wave);
        if (before) before(what);
        const auto start = Clock::now();
        real_.play(wave);
        steps.push_back({what, lengthMs(wave), ms(Clock::now() - start)});
    }

    std::function<void(const std::string&)> before;
    std::vector<Step> steps;

private:
    Timing& real_;
};

class Draws final : public game::RandomSource {
public:
    void reseed() override {}
    int draw() override { return next_++ % 2; }  // red, blue, red, ...

private:
    int next_ = 0;
};

// A play lasts its clip: a silent one exactly, a heard one until its last sample has played.
void expectRhythm(const std::vector<TimedTiming::Step>& steps, double lateMs) {
    for (const auto& [what, expected, took] : steps) {
        std::cout << "  " << what << ": " << expected << " ms expected, " << took << " ms\n";
        EXPECT_GE(took, expected - 1) << what;
        EXPECT_LE(took, expected + lateMs) << what;
    }
}

// A first round through the real window and sound, missed by one yellow and replayed.
std::vector<TimedTiming::Step> playMissedRound(Sound& sound,
                                               std::function<void(const std::string&)> before) {
    RealTiming real(sound);
    TimedTiming timing(real);
    timing.before = std::move(before);
    Draws draws;
    TForm1 form(timing, media::embedded(), draws);
    form.showAtHome();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, startButton);
    EXPECT_EQ(form.game().Target, "RB");
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, inYellow);
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, judgeButton);
    EXPECT_EQ(form.game().Entered, "YRB") << "the replay ran";
    EXPECT_EQ(form.game().Level, 1);
    return timing.steps;
}

const std::vector<std::string> missedRound = {
    "START",  "pause 2000", "pause 100",  "RED",       "pause 100", "BLUE",      "pause 100",
    "YELLOW", "HAZURE",     "pause 3000", "pause 100", "RED",       "pause 100", "BLUE"};

std::vector<std::string> whats(const std::vector<TimedTiming::Step>& steps) {
    std::vector<std::string> out;
    for (const auto& step : steps) out.push_back(step.what);
    return out;
}

struct Silence {
    const char* name;
    const char* driver;  // SDL_AUDIODRIVER, or nullptr for SDL's own choice
};

void PrintTo(const Silence& silence, std::ostream* out) { *out << silence.name; }

class NothingToPlayOn : public testing::TestWithParam<Silence> {
protected:
    void SetUp() override {
        if (GetParam().driver)
            setenv("SDL_AUDIODRIVER", GetParam().driver, 1);
        else
            unsetenv("SDL_AUDIODRIVER");
        // No server to reach; with no sound card either, no driver finds a device.
        setenv("PULSE_SERVER", "unix:/nonexistent/melquad-faults/native", 1);
    }
};

TEST_P(NothingToPlayOn, EveryClipLastsItsLengthInSilence) {
    Sound sound;
    for (const char* name : clipNames) {
        const auto wave = media::embedded().find(name).bytes;
        const auto start = Clock::now();
        sound.play(wave);
        const double took = ms(Clock::now() - start);
        std::cout << "  " << name << ": " << lengthMs(wave) << " ms clip, play " << took << " ms\n";
        EXPECT_GE(took, lengthMs(wave) - 1) << name;
        EXPECT_LE(took, lengthMs(wave) + 15) << name;
    }
}

TEST_P(NothingToPlayOn, GameKeepsItsRhythm) {
    Sound sound;
    const auto steps = playMissedRound(sound, {});
    EXPECT_EQ(whats(steps), missedRound);
    expectRhythm(steps, 15);
}

INSTANTIATE_TEST_SUITE_P(Silence, NothingToPlayOn,
                         testing::Values(Silence{"PulseAudioWithoutServer", "pulseaudio"},
                                         Silence{"DefaultDriverWithoutDevice", nullptr}),
                         [](const auto& param) { return std::string(param.param.name); });

bool heard(const Bytes& recorded, const char* clip) {
    const Bytes samples = samplesOf(media::embedded().find(clip).bytes);
    return std::search(recorded.begin(), recorded.end(), samples.begin(), samples.end()) !=
           recorded.end();
}

// The server is killed as the first colour is about to play, and a new one is up during the
// failure's pause: every play keeps its length, and the replay is heard on the new server.
TEST(LostSoundServer, GameGoesOnInRhythmAndSoundComesBack) {
    if (!support::PrivatePulse::available()) {
        GTEST_SKIP() << "pulseaudio, pactl or parec missing";
    }
    const support::TempDir dir("melquad_faults");
    support::PrivatePulse pulse(dir.path());
    ASSERT_TRUE(pulse.start());
    setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
    setenv("PULSE_SERVER", pulse.address().c_str(), 1);
    Sound sound;  // opens its device on the first server
    // A fresh server drops what it is given at first: record, and wait, before the game.
    support::Recorder first(pulse, dir.path() / "before.wav");
    std::this_thread::sleep_for(3s);

    int colours = 0;
    Bytes before;
    std::optional<support::Recorder> second;
    const auto steps = playMissedRound(sound, [&](const std::string& step) {
        if (step == "RED" && ++colours == 1) {
            pulse.kill();
            before = first.finish();
        }
        if (step == "pause 3000" && pulse.start()) second.emplace(pulse, dir.path() / "after.wav");
    });
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(second) << "no new server";
    const Bytes after = second->finish();

    EXPECT_EQ(whats(steps), missedRound);
    std::vector<TimedTiming::Step> plays;
    for (const auto& step : steps)
        if (!step.what.starts_with("pause ")) plays.push_back(step);
    // A heard clip ends once its last sample has played: a few of SDL's buffers late.
    expectRhythm(plays, 100);

    std::cout << "  recorded " << before.size() << " samples before the loss, " << after.size()
              << " on the new server\n";
    EXPECT_TRUE(heard(before, "START"));
    const bool red = heard(after, "RED"), blue = heard(after, "BLUE");
    std::cout << "  on the new server: replayed RED " << (red ? "heard" : "silent")
              << ", replayed BLUE " << (blue ? "heard" : "silent") << "\n";
    EXPECT_TRUE(red || blue) << "sound returns at a later play";
}

}  // namespace
