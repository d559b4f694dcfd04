// A short game on the real window and the real sound output, with instant pauses, ended with
// End: a round won, a round missed and replayed, a click, End. Exits 0 when everything went as
// scripted; meant to run under a memory checker.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <deque>

#include "app/fonts.h"
#include "app/sound.h"
#include "app/tform1.h"
#include "media/embedded.h"

namespace {

class InstantPauses final : public Timing {
public:
    explicit InstantPauses(Sound& sound) : sound_(sound) {}
    void pause(std::chrono::milliseconds) override {}
    void play(std::span<const std::uint8_t> wave) override {
        ++clips;
        sound_.play(wave);
    }
    int clips = 0;

private:
    Sound& sound_;
};

class Draws final : public game::RandomSource {
public:
    void reseed() override {}
    int draw() override {
        const int next = draws.empty() ? 0 : draws.front();
        if (!draws.empty()) draws.pop_front();
        return next;
    }
    std::deque<int> draws{0, 1, 2, 3, 0};  // red blue, then yellow green red
};

int failures = 0;

void expect(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "scripted game: %s\n", what);
    ++failures;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("MELQUAD"));
    installFontSubstitutes();

    Sound sound;
    InstantPauses timing(sound);
    Draws draws;
    TForm1 form(timing, media::embedded(), draws);
    form.showAtHome();
    if (!QTest::qWaitForWindowExposed(&form)) return 2;

    const QPoint start{101, 484}, judge{221, 484}, end{341, 484};
    const QPoint red{150, 190}, blue{280, 190}, yellow{150, 320}, green{280, 320};
    auto click = [&](QPoint at) { QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at); };
    QTimer::singleShot(0, [&] {
        click(start);
        click(red);
        click(blue);
        click(judge);
        expect(form.game().Level == 2, "the first round is won");
        click(start);
        click(green);
        click(judge);
        expect(form.game().Level == 1 && form.game().Entered == "GYGR", "the second is missed");
        click(yellow);
        click(end);
    });
    QTimer::singleShot(30000, [] { QCoreApplication::exit(3); });
    const int code = QApplication::exec();
    expect(code == 0, "End ends the event loop with 0");
    expect(timing.clips == 16, "every clip of the game played");
    return failures == 0 ? 0 : 1;
}
