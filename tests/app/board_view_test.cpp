#include <QEvent>
#include <map>

#include "fixture.h"
#include "ui_tform1.h"

using game::Control;

namespace {

// Counts the paint events each watched control receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::initializer_list<QWidget*> watched) {
        for (QWidget* w : watched) w->installEventFilter(this);
    }
    int operator[](QWidget* w) const { return counts_.contains(w) ? counts_.at(w) : 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++counts_[static_cast<QWidget*>(watched)];
        return false;
    }

private:
    std::map<QWidget*, int> counts_;
};

}  // namespace

using BoardViewTest = FormTest;

TEST_F(BoardViewTest, ClicksPostedDuringPlaybackAreDispatchedAtItsPumpsInOrder) {
    startPlayersTurn("");
    random.draws = {1, 2};
    timing->onStep = [&, posted = false](const std::string& step) mutable {
        if (step != "pause 100" || posted) return;
        posted = true;
        postClick(inGreen);
        postClick(inRed);
    };
    click({64 + 30, 472 + 12});
    EXPECT_EQ(form->game().Target, "BYGR");
    EXPECT_EQ(clips(), (std::vector<std::string>{"START", "BLUE", "GREEN", "RED", "YELLOW"}));
    EXPECT_EQ(form->game().Entered, "");
}

TEST_F(BoardViewTest, FlashIsOnScreenBeforeItsClipPlays) {
    startPlayersTurn("R");
    QCoreApplication::processEvents();
    PaintCounter paints{form->controls().Image1};
    int paintsAtClip = -1;
    timing->onStep = [&](const std::string& step) {
        if (step == "RED") paintsAtClip = paints[form->controls().Image1];
    };
    click(inRed);
    EXPECT_GT(paintsAtClip, 0);
}

TEST_F(BoardViewTest, SuccessClipIsHeardBeforeTheSmileIsSeen) {
    startPlayersTurn("Y");
    form->game().Entered = "Y";
    QCoreApplication::processEvents();
    const auto& ui = form->controls();
    PaintCounter paints{ui.Image5, ui.Label1};
    std::map<std::string, int> seenAt;
    timing->onStep = [&](const std::string& step) { seenAt[step] = paints[ui.Image5] + paints[ui.Label1]; };
    click({184 + 30, 472 + 12});
    EXPECT_EQ(seenAt.at("ATARI"), 0);
    QCoreApplication::processEvents();
    EXPECT_GT(paints[ui.Image5], 0);
    EXPECT_GT(paints[ui.Label1], 0);
    EXPECT_EQ(ui.Label1->text(), "OK Next Level ! Push スタート");
}

TEST_F(BoardViewTest, FailureTextAndGlumFaceAppearTogetherAfterTheClip) {
    startPlayersTurn("RB");
    form->game().Entered = "BR";
    QCoreApplication::processEvents();
    const auto& ui = form->controls();
    PaintCounter paints{ui.Image5, ui.Label1};
    std::map<std::string, std::pair<int, int>> seenAt;
    timing->onStep = [&](const std::string& step) {
        seenAt.try_emplace(step, paints[ui.Image5], paints[ui.Label1]);
    };
    click(inGreen, Qt::RightButton);
    EXPECT_EQ(seenAt.at("HAZURE"), std::make_pair(0, 0));
    EXPECT_GT(seenAt.at("pause 3000").first, 0);
    EXPECT_GT(seenAt.at("pause 3000").second, 0);
    EXPECT_EQ(ui.Label1->text(), "はずれ !　正解はRB");
    EXPECT_TRUE(ui.Label2->isVisible());
    EXPECT_EQ(ui.Label2->text(), "あなたのピコラッタ指数は2です");
}
