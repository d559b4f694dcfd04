#include "fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "media/embedded.h"

void FakeTiming::pause(std::chrono::milliseconds duration) {
    log.push_back("pause " + std::to_string(duration.count()));
    if (onStep) onStep(log.back());
}

void FakeTiming::play(std::span<const std::uint8_t> wave) {
    for (const char* name : {"START", "RED", "BLUE", "YELLOW", "GREEN", "ATARI", "HAZURE"}) {
        const auto clip = media::embedded().find(name).bytes;
        if (std::ranges::equal(clip, wave)) log.emplace_back(name);
    }
    if (onStep) onStep(log.back());
}

int ScriptedRandom::draw() {
    if (draws.empty()) return 0;
    const int r = draws.front();
    draws.pop_front();
    return r;
}

void FormTest::makeForm(const std::vector<std::string>& missing) {
    form.reset();
    std::vector<media::Item> items;
    for (const char* name : {"START", "RED", "BLUE", "YELLOW", "GREEN", "ATARI", "HAZURE",
                             "QUAUTER1", "QUAUTER11", "QUAUTER2", "QUAUTER22", "QUAUTER3",
                             "QUAUTER33", "QUAUTER4", "QUAUTER44", "SMILE", "BAD"})
        if (std::ranges::find(missing, name) == missing.end())
            items.push_back(media::embedded().find(name));
    media = std::make_unique<media::Catalogue>(items);
    timing = std::make_unique<FakeTiming>();
    form = std::make_unique<TForm1>(*timing, *media, random);
    form->showAtHome();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void FormTest::click(QPoint at, Qt::MouseButton button) {
    QTest::mouseClick(form->windowHandle(), button, {}, at);
}

void FormTest::doubleClick(QPoint at) { QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, at); }

void FormTest::postClick(QPoint at) {
    QWidget* target = form->childAt(at);
    ASSERT_NE(target, nullptr);
    const QPointF local = target->mapFrom(form.get(), at);
    const QPointF global = form->mapToGlobal(at);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QCoreApplication::postEvent(target, new QMouseEvent(type, local, global, Qt::LeftButton,
                                                            held, Qt::NoModifier));
    }
}

void FormTest::startPlayersTurn(const std::string& target) {
    for (auto quarter : {game::Control::Image1, game::Control::Image2, game::Control::Image3,
                         game::Control::Image4})
        form->enable(quarter);
    form->enable(game::Control::Button2);
    form->game().Target = target;
    form->game().Entered.clear();
}

std::vector<std::string> FormTest::clips() const {
    std::vector<std::string> played;
    for (const auto& step : timing->log)
        if (!step.starts_with("pause")) played.push_back(step);
    return played;
}
