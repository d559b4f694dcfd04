#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "fixture.h"
#include "ui_tform1.h"

using game::Control;
using InputTest = FormTest;

TEST_F(InputTest, DisabledQuartersTakeNoInput) {
    form->game().Target = "R";
    form->game().Entered = "R";
    for (auto button : {Qt::LeftButton, Qt::RightButton}) click(inRed, button);
    EXPECT_EQ(form->game().Entered, "R");
    EXPECT_TRUE(timing->log.empty());
}

TEST_F(InputTest, EachButtonOnAnEnabledQuarter) {
    const struct {
        Qt::MouseButton button;
        std::vector<std::string> clips;
        std::string entered;
    } cases[] = {
        {Qt::LeftButton, {"BLUE"}, "RB"},   // a flash
        {Qt::RightButton, {"ATARI"}, ""},  // judges at once, without a flash
        {Qt::MiddleButton, {}, "R"},
    };
    for (const auto& [button, played, entered] : cases) {
        makeForm({});
        startPlayersTurn("R");
        form->game().Entered = "R";
        form->game().Target = "R";
        click(inBlue, button);
        EXPECT_EQ(clips(), played) << button;
        EXPECT_EQ(form->game().Entered, entered) << button;
    }
}

TEST_F(InputTest, RightPressJudgesWithoutWaitingForTheRelease) {
    startPlayersTurn("G");
    form->game().Entered = "G";
    QTest::mousePress(form->windowHandle(), Qt::RightButton, {}, inYellow);
    EXPECT_EQ(clips(), std::vector<std::string>{"ATARI"});
    EXPECT_EQ(form->game().Level, 2);
    QTest::mouseRelease(form->windowHandle(), Qt::RightButton, {}, inYellow);
}

TEST_F(InputTest, DoubleClickFlashesOnce) {
    startPlayersTurn("R");
    doubleClick(inGreen);
    EXPECT_EQ(form->game().Entered, "G");
}

TEST_F(InputTest, OverlayAndIndexLineTakeThePressesInTheirBoxes) {
    startPlayersTurn("R");
    form->show(Control::Label2);
    click({100, 250});  // inside the index line, over red
    click({100, 238});  // red, just above it
    click({300, 266});  // green, just below it
    EXPECT_EQ(form->game().Entered, "RG");
    form->show(Control::Image5);
    for (QPoint at : {inRed, inBlue, inYellow, inGreen}) click(at);
    click(inGreen, Qt::RightButton);
    EXPECT_EQ(form->game().Entered, "RG");
    EXPECT_TRUE(clips() == (std::vector<std::string>{"RED", "GREEN"}));
}

TEST_F(InputTest, ButtonsTakeTheFocusInTabOrderAndPressWithSpace) {
    const auto& ui = form->controls();
    form->enable(Control::Button2);
    QSignalSpy start(ui.Button1, &QPushButton::clicked), judge(ui.Button2, &QPushButton::clicked);
    EXPECT_EQ(QApplication::focusWidget(), ui.Button1);
    QTest::keyClick(form.get(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ui.Button2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(judge.count(), 1);
    QTest::keyClick(form.get(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ui.Button3);
    QTest::keyClick(form.get(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ui.Button1);
    EXPECT_EQ(start.count(), 0);
}

TEST_F(InputTest, EndClosesTheWindowAndEndsTheEventLoop) {
    QTimer::singleShot(0, [&] { click({304 + 30, 472 + 12}); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(form->isVisible());
}

namespace {

struct SeenBox {
    QString title, text;
};

// Answers the next message box with OK, noting what it said.
void answerNextBox(std::vector<SeenBox>& seen) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen.push_back({box->windowTitle(), box->text()});
        box->button(QMessageBox::Ok)->click();
        poll->deleteLater();
    });
    poll->start(10);
}

}  // namespace

TEST_F(InputTest, FailingHandlerShowsItsMessageAndTheLoopGoesOn) {
    makeForm({"RED"});
    startPlayersTurn("B");
    std::vector<SeenBox> seen;
    answerNextBox(seen);
    click(inRed);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "MELQUAD");
    EXPECT_EQ(seen[0].text, "RED リソースが見つかりません");
    EXPECT_EQ(form->game().Entered, "");
    click(inBlue);
    EXPECT_EQ(form->game().Entered, "B");
}

TEST_F(InputTest, NestedFailingHandlerFailsAlone) {
    makeForm({"BLUE"});
    startPlayersTurn("R");
    std::vector<SeenBox> seen;
    random.draws = {0, 0};
    timing->onStep = [&](const std::string& step) {
        if (step == "START") {
            answerNextBox(seen);
            postClick(inBlue);
        }
    };
    click({64 + 30, 472 + 12});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "BLUE リソースが見つかりません");
    EXPECT_EQ(clips(), (std::vector<std::string>{"START", "RED", "RED"}));
    EXPECT_EQ(form->game().Target, "RR");
}
