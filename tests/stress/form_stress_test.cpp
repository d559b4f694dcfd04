// Random mouse and keyboard input posted to the real main window while its operations run, with
// instant pauses and clips.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <random>

#include "app/picture_control.h"
#include "app/tform1.h"
#include "media/embedded.h"
#include "media/picture.h"
#include "phases.h"
#include "seed.h"
#include "ui_tform1.h"

namespace {

// Instant pauses and clips; at each one the player may act, as while the game sleeps.
class InstantTiming final : public Timing {
public:
    void pause(std::chrono::milliseconds) override { step(); }
    void play(std::span<const std::uint8_t> wave) override {
        // The clips differ in length, so their sizes tell them apart.
        for (const char* name : {"START", "ATARI", "HAZURE"})
            if (wave.size() == media::embedded().find(name).bytes.size()) ++played[name];
        step();
    }
    std::function<void()> step;
    std::map<std::string, long> played;
};

// Makes an input event. Events are made as they are dispatched, as the window system's are: a
// mouse event shares its point with every other event of the device made after it.
using MakeEvent = std::function<std::unique_ptr<QEvent>()>;

// Input queued as the window system queues it: dispatched at the next pump or back in the event
// loop, in order, hit-tested when it is dispatched, and lost once the window has been closed.
class InputQueue final : public QObject {
public:
    explicit InputQueue(QWidget& window) : window_(window) {}

    void post(MakeEvent make) { QCoreApplication::postEvent(this, new Queued(std::move(make))); }
    int depth() const { return depth_; }
    int deepest() const { return deepest_; }
    long delivered() const { return delivered_; }

protected:
    bool event(QEvent* e) override {
        if (e->type() != Queued::kind) return QObject::event(e);
        if (!window_.isVisible()) return true;
        ++delivered_;
        deepest_ = std::max(deepest_, ++depth_);
        const std::unique_ptr<QEvent> input = static_cast<Queued*>(e)->make();
        QCoreApplication::sendEvent(window_.windowHandle(), input.get());
        --depth_;
        return true;
    }

private:
    struct Queued final : QEvent {
        static constexpr auto kind = static_cast<QEvent::Type>(QEvent::User + 1);
        explicit Queued(MakeEvent m) : QEvent(kind), make(std::move(m)) {}
        MakeEvent make;
    };
    QWidget& window_;
    int depth_ = 0;
    int deepest_ = 0;
    long delivered_ = 0;
};

stress::Snapshot snapshot(TForm1& form) {
    static const QImage smile = media::decodePicture(media::embedded().find("SMILE").bytes)
                                    .convertToFormat(QImage::Format_RGB32);
    const Ui::TForm1& ui = form.controls();
    const game::Game& g = form.game();
    stress::Snapshot s;
    s.startEnabled = ui.Button1->isEnabled();
    s.judgeEnabled = ui.Button2->isEnabled();
    for (const QWidget* quarter : {ui.Image1, ui.Image2, ui.Image3, ui.Image4})
        s.quartersEnabled += quarter->isEnabled();
    s.overlayShown = ui.Image5->isVisibleTo(&form);
    s.overlaySmile = ui.Image5->pixmap().toImage().convertToFormat(QImage::Format_RGB32) == smile;
    s.indexShown = ui.Label2->isVisibleTo(&form);
    s.indexText = ui.Label2->text().toStdString();
    s.statusText = ui.Label1->text().toStdString();
    s.statusSize = ui.Label1->font().pointSize();
    s.letter = g.Letter;
    s.target = g.Target;
    s.entered = g.Entered;
    s.recording = g.Recording;
    s.level = g.Level;
    s.failLength = g.FailLength;
    return s;
}

struct Figures {
    long posted = 0;           // input events posted
    long postedWhileBusy = 0;  // of those, posted while an operation ran
    long delivered = 0;        // dispatched to an open window
    long games = 0;
    std::map<std::string, long> played;  // rounds, successes and failures by their clips
    int deepest = 0;                     // input handlers nested inside one another
    int highestLevel = 1;
    long checks = 0;
};

// Posts random gestures (clicks, double-clicks, lone presses and releases of every button,
// anywhere in the window, and Tab, Space and Return) at every pause and clip, at every pump
// and in the idle event loop, until its budget of events is spent; then presses End.
class RandomHands {
public:
    RandomHands(std::uint64_t seed, long events) : engine_(seed), budget_(events) {}

    Figures run() {
        while (figures_.posted < budget_ && !failed_) playOneGame();
        return figures_;
    }

private:
    long random(long below) { return std::uniform_int_distribution<long>(0, below - 1)(engine_); }

    void playOneGame() {
        ++figures_.games;
        InstantTiming timing;
        stress::SeededRandom draws(engine_);
        TForm1 form(timing, media::embedded(), draws);
        InputQueue input(form);
        form_ = &form;
        input_ = &input;
        const std::unique_ptr<RandomHands, void (*)(RandomHands*)> forget(this, [](RandomHands* h) {
            h->form_ = nullptr;
            h->input_ = nullptr;
        });
        timing.step = [&] {
            check(stress::brokenAnytime(snapshot(form)), "at a pause or clip");
            if (random(2) == 0) gesture(true);
        };
        form.showAtHome();
        if (!QTest::qWaitForWindowExposed(&form)) {
            check("the window is shown", "at start-up");
            return;
        }

        QTimer idle;  // fires in the event loop and at every pump
        QObject::connect(&idle, &QTimer::timeout, [&] {
            const bool busy = input.depth() > 0;
            if (!busy) {
                stress::Snapshot now = snapshot(form);
                std::string broken = stress::brokenAnytime(now);
                if (broken.empty() && now.recording != 0) broken = "Recording is 0 at rest";
                if (broken.empty() && QApplication::activeModalWidget())
                    broken = "no message box appears";
                check(broken, "at rest");
            }
            if (endPressed_ && ++turnsSinceEnd_ > 100'000)
                check("End ends the game", "after End was pressed");
            if (failed_) QCoreApplication::exit(2);
            gesture(busy);
        });
        idle.start(0);
        QTimer watchdog;
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(3); });
        watchdog.start(120'000);

        const int code = QApplication::exec();
        QCoreApplication::removePostedEvents(&input);
        if (failed_) return;
        EXPECT_EQ(code, 0) << "the event loop ends with 0 once End has been pressed";
        EXPECT_FALSE(form.isVisible());
        figures_.delivered += input.delivered();
        for (const auto& [clip, count] : timing.played) figures_.played[clip] += count;
        figures_.deepest = std::max(figures_.deepest, input.deepest());
    }

    void check(const std::string& broken, const char* where) {
        ++figures_.checks;
        figures_.highestLevel = std::max(figures_.highestLevel, form_->game().Level);
        if (broken.empty() || failed_) return;
        failed_ = true;
        ADD_FAILURE() << broken << " (" << where << ")\n" << stress::describe(snapshot(*form_));
    }

    QPoint anywhere() {
        const QSize size = form_->size();
        return {static_cast<int>(random(size.width())), static_cast<int>(random(size.height()))};
    }

    // A point on one of the controls a player aims at; the quarter the round needs next, often.
    QPoint aimed() {
        const Ui::TForm1& ui = form_->controls();
        const game::Game& g = form_->game();
        QWidget* target = nullptr;
        if (random(10) < 6 && g.Entered.size() < g.Target.size()) {
            QWidget* quarters[] = {ui.Image1, ui.Image2, ui.Image3, ui.Image4};
            target = quarters[std::string_view("RBYG").find(g.Target[g.Entered.size()])];
        } else {
            QWidget* choices[] = {ui.Image1, ui.Image2,  ui.Image3,
                                  ui.Image4, ui.Button1, ui.Button2};
            target = choices[random(std::size(choices))];
        }
        const QRect r = target->geometry();
        return r.topLeft() +
               QPoint(static_cast<int>(random(r.width())), static_cast<int>(random(r.height())));
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        const QPointF local(at), global(form_->mapToGlobal(at));
        post([=] {
            return std::make_unique<QMouseEvent>(type, local, global, button, held, Qt::NoModifier);
        });
    }

    void key(QEvent::Type type, int code) {
        const QString text = code == Qt::Key_Space ? " " : code == Qt::Key_Return ? "\r" : "\t";
        post([=] { return std::make_unique<QKeyEvent>(type, code, Qt::NoModifier, text); });
    }

    void post(MakeEvent make) {
        ++figures_.posted;
        figures_.postedWhileBusy += busy_;
        input_->post(std::move(make));
    }

    void gesture(bool busy) {
        if (!form_ || failed_) return;
        if (figures_.posted >= budget_) {
            if (!endPressed_) pressEnd();
            return;
        }
        busy_ = busy;
        using E = QEvent;
        if (random(100) < 10) {
            // Tab rarely, as it takes the focus to End, where Space ends the game.
            const int keys[] = {Qt::Key_Tab,    Qt::Key_Space,  Qt::Key_Space,  Qt::Key_Space,
                                Qt::Key_Return, Qt::Key_Return, Qt::Key_Return, Qt::Key_Return};
            const int code = keys[random(std::size(keys))];
            const long how = random(10);
            if (how != 9) key(E::KeyPress, code);
            if (how != 8) key(E::KeyRelease, code);
            return;
        }
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton,
                                           Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton button = buttons[random(5)];
        const QPoint at = random(2) == 0 ? aimed() : anywhere();
        switch (random(20)) {
            case 0:
                mouse(E::MouseButtonPress, at, button);
                break;
            case 1:
                mouse(E::MouseButtonRelease, at, button);
                break;
            case 2:
                mouse(E::MouseButtonPress, at, button);
                mouse(E::MouseButtonRelease, anywhere(), button);
                break;
            case 3:
            case 4:
            case 5:
                mouse(E::MouseButtonPress, at, button);
                mouse(E::MouseButtonRelease, at, button);
                mouse(E::MouseButtonDblClick, at, button);
                mouse(E::MouseButtonRelease, at, button);
                break;
            default:
                mouse(E::MouseButtonPress, at, button);
                mouse(E::MouseButtonRelease, at, button);
        }
    }

    void pressEnd() {
        endPressed_ = true;
        const QPoint end = form_->controls().Button3->geometry().center();
        mouse(QEvent::MouseButtonPress, end, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, end, Qt::LeftButton);
    }

    std::mt19937_64 engine_;
    long budget_;
    TForm1* form_ = nullptr;
    InputQueue* input_ = nullptr;
    bool busy_ = false;
    bool endPressed_ = false;
    long turnsSinceEnd_ = 0;
    bool failed_ = false;
    Figures figures_;
};

TEST(FormStress, RandomInputWhileOperationsRunLeavesTheWindowSound) {
    const std::uint64_t seed = stress::seed();
    const long events = stress::countFromEnv("MELQUAD_STRESS_EVENTS", 20'000);
    const Figures f = RandomHands(seed, events).run();
    std::cout << "events posted " << f.posted << " (" << f.postedWhileBusy
              << " while an operation ran), dispatched to an open window " << f.delivered
              << ", games " << f.games << ", rounds " << f.played.at("START") << ", successes "
              << f.played.at("ATARI") << ", failures " << f.played.at("HAZURE")
              << ", deepest nesting " << f.deepest << ", highest level " << f.highestLevel
              << ", checks " << f.checks << "\n";
    EXPECT_GE(f.posted, events);
    EXPECT_GT(f.played.at("ATARI"), 0);
    EXPECT_GT(f.played.at("HAZURE"), 0);
}

}  // namespace
