// End pressed, or the window manager asking the window to close, while an operation runs: the
// request waits for a pump or the event loop, the operation still runs to its end, and then the
// event loop ends with 0.
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "app/picture_control.h"
#include "fixture.h"
#include "media/embedded.h"
#include "media/picture.h"
#include "ui_tform1.h"

namespace {

using Clips = std::vector<std::string>;

constexpr QPoint startButton{64 + 37, 472 + 12}, judgeButton{184 + 37, 472 + 12},
    endButton{304 + 37, 472 + 12};

enum class Request { End, Close };

enum class Before { None, PlayersTurn, RightEntry, WrongEntry };

struct Case {
    const char* name;
    Before setup;
    QPoint press;          // what starts the operation
    std::string during;    // the pause or clip during which the request is made
    Clips clips;           // every clip of the operation, all of which still play
    bool closedWhileBusy;  // a pump follows the request, so the window closes mid-operation
    std::function<void(TForm1&)> lastSteps;  // checks that the operation's end ran
};

void handedOver(TForm1& form) {
    EXPECT_EQ(form.controls().Label1->text(), "あなたの番");
    EXPECT_TRUE(form.controls().Button2->isEnabled());
    EXPECT_EQ(form.game().Target, "RB");
}

void replayed(TForm1& form) {
    EXPECT_EQ(form.game().Entered, "YRB");
    EXPECT_EQ(form.game().Level, 1);
    EXPECT_TRUE(form.controls().Label2->isVisibleTo(&form));
    EXPECT_EQ(form.controls().Label2->text(), "あなたのピコラッタ指数は2です");
}

const Case cases[] = {
    {"StartClip", Before::None, startButton, "START", {"START", "RED", "BLUE"}, true, handedOver},
    {"Announcement",
     Before::None,
     startButton,
     "pause 2000",
     {"START", "RED", "BLUE"},
     true,
     handedOver},
    {"PlaybackFlash", Before::None, startButton, "RED", {"START", "RED", "BLUE"}, true, handedOver},
    {"PlayersFlash",
     Before::PlayersTurn,
     inGreen,
     "GREEN",
     {"GREEN"},
     false,
     [](TForm1& form) {
         EXPECT_EQ(form.game().Entered, "G");
         const QImage normal = media::decodePicture(media::embedded().find("QUAUTER44").bytes);
         EXPECT_EQ(form.controls().Image4->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                   normal.convertToFormat(QImage::Format_RGB32));
     }},
    {"SuccessClip",
     Before::RightEntry,
     judgeButton,
     "ATARI",
     {"ATARI"},
     false,
     [](TForm1& form) {
         EXPECT_EQ(form.game().Level, 2);
         EXPECT_TRUE(form.controls().Button1->isEnabled());
         EXPECT_FALSE(form.controls().Button2->isEnabled());
         EXPECT_EQ(form.game().Target, "");
     }},
    {"FailurePause",
     Before::WrongEntry,
     judgeButton,
     "pause 3000",
     {"HAZURE", "RED", "BLUE"},
     true,
     replayed},
    {"Replay", Before::WrongEntry, judgeButton, "RED", {"HAZURE", "RED", "BLUE"}, true, replayed},
};

struct Param {
    Case what;
    Request request;
};

std::string paramName(const testing::TestParamInfo<Param>& info);

void PrintTo(const Param& p, std::ostream* out) {
    *out << paramName(testing::TestParamInfo<Param>(p, 0));
}

class EndDuringOperation : public FormTest, public testing::WithParamInterface<Param> {
protected:
    void prepare(Before setup) {
        if (setup == Before::None) return;
        random.draws = {0, 1};
        click(startButton);
        ASSERT_EQ(form->game().Target, "RB");
        if (setup == Before::RightEntry) {
            click(inRed);
            click(inBlue);
        }
        if (setup == Before::WrongEntry) click(inYellow);
        timing->log.clear();
    }

    void request(Request how) {
        if (how == Request::End)
            postClick(endButton);
        else
            QCoreApplication::postEvent(form->windowHandle(), new QCloseEvent);
    }
};

TEST_P(EndDuringOperation, OperationFinishesThenTheLoopEndsWithZero) {
    const auto& [what, how] = GetParam();
    prepare(what.setup);
    random.draws = {0, 1};

    bool requested = false, closedWhileBusy = false;
    timing->onStep = [&](const std::string& step) {
        if (requested && !form->isVisible()) closedWhileBusy = true;
        if (step == what.during && !requested) {
            requested = true;
            request(how);
        }
    };
    QTimer::singleShot(0, [&] { click(what.press); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(requested);
    EXPECT_EQ(clips(), what.clips) << "the operation ran to its end";
    what.lastSteps(*form);
    EXPECT_EQ(closedWhileBusy, what.closedWhileBusy);
    EXPECT_FALSE(form->isVisible());
}

std::vector<Param> params() {
    std::vector<Param> all;
    for (Request how : {Request::End, Request::Close})
        for (const Case& c : cases) all.push_back({c, how});
    return all;
}

std::string paramName(const testing::TestParamInfo<Param>& info) {
    return std::string(info.param.request == Request::End ? "End" : "CloseRequest") + "During" +
           info.param.what.name;
}

INSTANTIATE_TEST_SUITE_P(EachOperation, EndDuringOperation, testing::ValuesIn(params()), paramName);

}  // namespace
