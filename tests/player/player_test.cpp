// The built program played as a person plays it: clicks through XTest, the board read from the
// screen's pixels, and the sound heard from a private PulseAudio server.
#include "player.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <iostream>
#include <thread>

namespace {

using namespace std::chrono_literals;
using namespace player;

void save(const QImage& shot, const std::string& stage) {
    QDir().mkpath(SCREENSHOT_DIR);
    const QString path =
        QDir(SCREENSHOT_DIR).filePath(QString::fromStdString("player-" + stage + ".png"));
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
    std::cout << "  screenshot " << path.toStdString() << "\n";
}

// The text's width in the window's Gothic, bold, at this size.
int textWidth(const QString& text, int points) {
    QFont gothic("IPAPGothic");
    gothic.setPointSize(points);
    gothic.setBold(true);
    return QFontMetrics(gothic).tightBoundingRect(text).width();
}

// Checks that the box holds one line of dark ink, centred, as wide as the text would be.
void expectText(const QImage& shot, QRect box, const QString& text, int points) {
    int left = box.right(), right = box.left(), ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (shot.pixelColor(x, y).lightness() < 100) {
                ++ink;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GT(ink, 100) << text.toStdString();
    EXPECT_NEAR(right - left + 1, textWidth(text, points), 6) << text.toStdString();
    EXPECT_NEAR((left + right) / 2.0, box.center().x(), 4) << text.toStdString();
}

// An entry that misses: the last colour changed.
std::string missed(std::string sequence) {
    sequence.back() = sequence.back() == 'R' ? 'G' : 'R';
    return sequence;
}

class Play : public testing::Test {
protected:
    // Climbs three levels, judging with the button and with a right-press, then misses the
    // fourth round on purpose and ends the game.
    void playThrough(Session& session, bool screenshots) {
        Player player(session);
        auto shoot = [&](const char* stage) {
            if (screenshots) save(player.snap(), stage);
        };
        shoot("board");
        int count = 2;
        for (char rightPressOn : {'\0', 'G', '\0'}) {
            const std::string target = player.playRound(count, [&] {
                if (count == 2) shoot("lit");
            });
            ASSERT_EQ(target.size(), static_cast<std::size_t>(count)) << "round of " << count;
            std::cout << "  level " << count - 1 << ": shown " << target << ", judged "
                      << (rightPressOn ? "with a right-press" : "with the Judge button") << "\n";
            ASSERT_TRUE(player.enter(target));
            QImage smile;
            ASSERT_TRUE(player.judge(Player::Verdict::Right, target, rightPressOn,
                                     [&] { smile = player.snap(); }))
                << "no smiling face after " << target;
            if (count == 2) {
                if (screenshots) save(smile, "smile");
                expectText(smile, layout::status, "OK Next Level ! Push スタート", 20);
            }
            ++count;
        }

        const std::string target = player.playRound(count);
        ASSERT_EQ(target.size(), static_cast<std::size_t>(count));
        const std::string entry = missed(target);
        std::cout << "  level " << count - 1 << ": shown " << target << ", entered " << entry
                  << "\n";
        ASSERT_TRUE(player.enter(entry));
        QImage failure;
        ASSERT_TRUE(
            player.judge(Player::Verdict::Wrong, target, 0, [&] { failure = player.snap(); }))
            << "no glum face, or another replay than " << target;
        if (screenshots) save(failure, "failure");
        expectText(failure, layout::status, QString("はずれ !　正解は") + target.c_str(), 18);
        EXPECT_TRUE(player.indexLineSeen());
        const QImage index = player.snap();
        if (screenshots) save(index, "index");
        expectText(index, layout::indexLine,
                   QString("あなたのピコラッタ指数は%1です").arg(target.size()), 16);

        // Each verdict's clip plays out before its face shows.
        for (auto d : player.judgeToSmile()) EXPECT_GE(d, lengthOf("ATARI"));
        for (auto d : player.judgeToGlum()) EXPECT_GE(d, lengthOf("HAZURE"));
        ASSERT_EQ(player.glumFaceShown().size(), 1u);
        const double glum = ms(player.glumFaceShown().front());
        std::cout << "  glum face shown for " << glum << " ms\n";
        EXPECT_NEAR(glum, 3000, 150);

        // Every flash lasts its pause and its clip, late by no more than the sound device's
        // latency; a round's first colour follows the start clip and the announcement's pause.
        for (const Flash& flash : player.flashes()) {
            if (flash.of != 1) continue;
            const double late = ms(flash.off - flash.on - 100ms - lengthOf(clipOf(flash.letter)));
            EXPECT_GT(late, -5) << flash.letter;
            EXPECT_LT(late, 100) << flash.letter;
        }
        for (auto start : player.startToWhite()) {
            EXPECT_GT(ms(start), 3681 - 5);
            EXPECT_LT(ms(start), 3681 + 150);
        }

        player.pressEnd();
        const auto exit = session.game().wait(10s);
        ASSERT_TRUE(exit.has_value()) << "the game did not end after End";
        EXPECT_EQ(*exit, 0);
        flashes_ = player.flashes();
        cues_ = player.cues();
    }

    std::vector<Flash> flashes_;
    std::vector<Cue> cues_;
};

TEST_F(Play, ThreeLevelsAndAMissWithEveryClipHeardOnCue) {
    Session session(true, SCREENSHOT_DIR "/../player-game.log");
    const std::string problem = session.launch(MELQUAD_EXECUTABLE);
    ASSERT_EQ(problem, "");
    // A fresh server is slow on its first stream: give it the game's open device for a while.
    std::this_thread::sleep_for(3s);
    playThrough(session, true);
    if (HasFatalFailure()) return;

    const auto recording = session.recorder()->finish();
    const auto start = session.recordingStart();
    ASSERT_NE(start, Clock::time_point::max()) << "nothing was recorded";
    std::string fault;
    const std::vector<Heard> heard = hear(recording, start, cues_, fault);
    EXPECT_EQ(fault, "");
    if (!fault.empty()) {
        // Kept for a look at what was heard instead.
        QFile raw(SCREENSHOT_DIR "/../player-recording.u8");
        if (raw.open(QIODevice::WriteOnly))
            raw.write(reinterpret_cast<const char*>(recording.data()),
                      static_cast<qint64>(recording.size()));
    }
    EXPECT_EQ(heard.size(), cues_.size());
    std::cout << "  " << heard.size() << " clips heard in order; onset after cue (ms):";
    for (const Heard& h : heard) {
        const double late = ms(h.onset - h.cue.at);
        std::cout << " " << h.cue.clip.substr(0, 2) << (h.cue.exact ? "" : "~") << late;
        if (!h.cue.exact) continue;
        EXPECT_GT(late, -15) << h.cue.clip;
        // A press's clip follows the handler's work before it (the verdict loads its face
        // first); a flash's follows its pause.
        EXPECT_LT(late, h.cue.flash < 0 ? 120 : 60) << h.cue.clip;
        if (h.cue.flash < 0) continue;
        // The quarter turns back only once its clip has been heard.
        const Flash& flash = flashes_[static_cast<std::size_t>(h.cue.flash)];
        if (flash.repeat == flash.of - 1) {
            EXPECT_GT(ms(flash.off - h.end), -10) << flash.letter;
        }
    }
    std::cout << "\n";
}

TEST_F(Play, SameRhythmWithoutAnySoundServer) {
    Session session(false, SCREENSHOT_DIR "/../player-silent-game.log");
    const std::string problem = session.launch(MELQUAD_EXECUTABLE);
    ASSERT_EQ(problem, "");
    playThrough(session, false);
    EXPECT_EQ(session.eyes().mostWindows(), 1) << "a second window (a message box) appeared";
}

}  // namespace

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
