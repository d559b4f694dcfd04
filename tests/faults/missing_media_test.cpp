// Each media item missing in turn, through the real window: the handler that needs it stops at
// that step with the platform's message, what it did before stays done, and play goes on.
#include <QLabel>
#include <QPushButton>

#include "app/picture_control.h"
#include "boxes.h"
#include "fixture.h"
#include "media/embedded.h"
#include "media/picture.h"
#include "ui_tform1.h"

namespace {

using Clips = std::vector<std::string>;

constexpr QPoint startButton{64 + 37, 472 + 12}, judgeButton{184 + 37, 472 + 12};
constexpr QPoint quarterPoints[] = {inRed, inBlue, inYellow, inGreen};

QImage picture(const char* name) {
    return media::decodePicture(media::embedded().find(name).bytes)
        .convertToFormat(QImage::Format_RGB32);
}

QImage shown(const PictureControl* control) {
    return control->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

class MissingMedia : public FormTest {
protected:
    // Takes one item out of the catalogue the window reads at every use.
    void remove(const std::string& name) {
        std::vector<media::Item> items;
        for (const char* stored : {"START", "RED", "BLUE", "YELLOW", "GREEN", "ATARI", "HAZURE",
                                   "QUAUTER1", "QUAUTER11", "QUAUTER2", "QUAUTER22", "QUAUTER3",
                                   "QUAUTER33", "QUAUTER4", "QUAUTER44", "SMILE", "BAD"})
            if (QString(stored).compare(QString::fromStdString(name), Qt::CaseInsensitive) != 0)
                items.push_back(media::embedded().find(stored));
        *media = media::Catalogue(items);
        timing->log.clear();
    }

    // Start at level 1 with red and blue drawn, through to the player's turn.
    void firstRound() {
        random.draws = {0, 1};
        click(startButton);
        ASSERT_EQ(form->game().Target, "RB");
        ASSERT_TRUE(ui().Button2->isEnabled());
    }

    // A won first round, then a second one of yellow, green and red, missed with one green.
    void missedSecondRound() {
        firstRound();
        click(inRed);
        click(inBlue);
        click(judgeButton);
        ASSERT_EQ(form->game().Level, 2);
        random.draws = {2, 3, 0};
        click(startButton);
        ASSERT_EQ(form->game().Target, "YGR");
        click(inGreen);
    }

    void expectOneBox(const std::string& asked) {
        ASSERT_EQ(boxes.seen.size(), 1u) << asked;
        EXPECT_EQ(boxes.seen[0].title, "MELQUAD");
        EXPECT_EQ(boxes.seen[0].text.toStdString(), asked + " リソースが見つかりません");
        EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
    }

    const Ui::TForm1& ui() const { return form->controls(); }
    const game::Game& game() const { return form->game(); }

    BoxAnswerer boxes;
};

TEST_F(MissingMedia, StartClipStopsTheRoundBeforeItsPlayback) {
    firstRound();
    click(inGreen);
    click(judgeButton);  // missed: Start and Judge enabled, the index line up
    remove("START");
    click(startButton);
    expectOneBox("START");
    EXPECT_FALSE(ui().Image5->isVisible()) << "the overlay was hidden before the clip";
    EXPECT_FALSE(ui().Button1->isEnabled()) << "Start was disabled before the clip";
    EXPECT_TRUE(ui().Label2->isVisible()) << "the index line is hidden only after the clip";
    EXPECT_EQ(clips(), Clips{});
    EXPECT_EQ(game().Target, "RB");

    click(judgeButton);  // the kept sequence is judged again, and missed again
    EXPECT_EQ(clips(), (Clips{"HAZURE", "RED", "BLUE"}));
    EXPECT_TRUE(ui().Button1->isEnabled());
    EXPECT_EQ(boxes.seen.size(), 1u);
}

enum class FlashStep { Clip, Lit, Normal };

struct FlashCase {
    int colour;  // 0 red, 1 blue, 2 yellow, 3 green
    FlashStep step;
};

std::string caseName(const testing::TestParamInfo<FlashCase>& info);

void PrintTo(const FlashCase& c, std::ostream* out) {
    *out << caseName(testing::TestParamInfo<FlashCase>(c, 0));
}

class MissingFlashMedia : public MissingMedia, public testing::WithParamInterface<FlashCase> {};

TEST_P(MissingFlashMedia, StopsTheFlashAtItsStep) {
    static const char* clipNames[] = {"RED", "BLUE", "YELLOW", "GREEN"};
    const auto [colour, step] = GetParam();
    const std::string digit = std::to_string(colour + 1);
    const std::string asked = step == FlashStep::Clip  ? clipNames[colour]
                              : step == FlashStep::Lit ? "quauter" + digit
                                                       : "quauter" + digit + digit;
    const std::string letter(1, "RBYG"[colour]);
    const auto* quarter = form->findChild<PictureControl*>(QString("Image%1").arg(colour + 1));

    firstRound();
    remove(asked);
    click(quarterPoints[colour]);
    expectOneBox(asked);
    switch (step) {
        case FlashStep::Clip:  // stopped before the letter went to the entry
            EXPECT_EQ(game().Entered, "");
            EXPECT_EQ(clips(), Clips{});
            EXPECT_EQ(shown(quarter), picture(("QUAUTER" + digit + digit).c_str()));
            break;
        case FlashStep::Lit:  // the letter is entered, the quarter never lit
            EXPECT_EQ(game().Entered, letter);
            EXPECT_EQ(clips(), Clips{});
            EXPECT_EQ(shown(quarter), picture(("QUAUTER" + digit + digit).c_str()));
            break;
        case FlashStep::Normal:  // the whole flash but the last step: the quarter stays white
            EXPECT_EQ(game().Entered, letter);
            EXPECT_EQ(clips(), Clips{clipNames[colour]});
            EXPECT_EQ(shown(quarter), picture(("QUAUTER" + digit).c_str()));
            break;
    }
    EXPECT_EQ(game().Target, "RB");

    // Another quarter still flashes whole.
    const int other = (colour + 1) % 4;
    const auto* next = form->findChild<PictureControl*>(QString("Image%1").arg(other + 1));
    const std::string before = game().Entered;
    timing->log.clear();
    click(quarterPoints[other]);
    EXPECT_EQ(game().Entered, before + "RBYG"[other]);
    EXPECT_EQ(clips(), Clips{clipNames[other]});
    const std::string otherDigit = std::to_string(other + 1);
    EXPECT_EQ(shown(next), picture(("QUAUTER" + otherDigit + otherDigit).c_str()));
    EXPECT_EQ(boxes.seen.size(), 1u);
}

std::vector<FlashCase> flashCases() {
    std::vector<FlashCase> cases;
    for (FlashStep step : {FlashStep::Clip, FlashStep::Lit, FlashStep::Normal})
        for (int colour = 0; colour < 4; ++colour) cases.push_back({colour, step});
    return cases;
}

std::string caseName(const testing::TestParamInfo<FlashCase>& info) {
    static const char* colours[] = {"Red", "Blue", "Yellow", "Green"};
    static const char* steps[] = {"Clip", "LitPicture", "NormalPicture"};
    return std::string(colours[info.param.colour]) + steps[static_cast<int>(info.param.step)];
}

INSTANTIATE_TEST_SUITE_P(EachColour, MissingFlashMedia, testing::ValuesIn(flashCases()), caseName);

TEST_F(MissingMedia, SmileStopsTheSuccessBeforeAnythingChanges) {
    firstRound();
    click(inRed);
    click(inBlue);
    remove("SMILE");
    click(judgeButton);
    expectOneBox("smile");
    EXPECT_FALSE(ui().Image5->isVisible());
    EXPECT_EQ(game().Level, 1);
    EXPECT_EQ(game().Target, "RB");
    EXPECT_EQ(game().Entered, "RB");
    EXPECT_FALSE(ui().Button1->isEnabled());
    EXPECT_TRUE(ui().Button2->isEnabled());
    EXPECT_EQ(clips(), Clips{});

    click(inYellow);  // the entry goes on, and a miss is still shown whole
    click(judgeButton);
    EXPECT_EQ(clips(), (Clips{"YELLOW", "HAZURE", "RED", "BLUE"}));
    EXPECT_TRUE(ui().Label2->isVisible());
    EXPECT_TRUE(ui().Button1->isEnabled());
    EXPECT_EQ(boxes.seen.size(), 1u);
}

TEST_F(MissingMedia, SuccessClipStopsTheSuccessWithTheFaceUp) {
    firstRound();
    click(inRed);
    click(inBlue);
    remove("ATARI");
    click(judgeButton);
    expectOneBox("atari");
    EXPECT_TRUE(ui().Image5->isVisible());
    EXPECT_EQ(shown(ui().Image5), picture("SMILE"));
    EXPECT_EQ(game().Level, 1) << "the level rises only after the clip";
    EXPECT_EQ(game().Entered, "RB");
    EXPECT_EQ(ui().Label1->text(), "あなたの番");
    EXPECT_FALSE(ui().Button1->isEnabled());
    EXPECT_TRUE(ui().Button2->isEnabled());

    click(inRed);  // the face takes the presses on the board
    EXPECT_EQ(game().Entered, "RB");
    click(judgeButton);  // the same judgement runs again and stops at the same step
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[1].text, "atari リソースが見つかりません");
    EXPECT_EQ(game().Level, 1);
}

TEST_F(MissingMedia, FailureClipStopsTheFailureAfterItsText) {
    missedSecondRound();
    remove("HAZURE");
    click(judgeButton);
    expectOneBox("hazure");
    EXPECT_EQ(ui().Label1->text(), "はずれ !\u3000正解はYGR");
    EXPECT_EQ(ui().Label1->font().pointSize(), 18);
    EXPECT_FALSE(ui().Image5->isVisible());
    EXPECT_EQ(game().Level, 2) << "the level drops only in the replay";
    EXPECT_EQ(game().FailLength, 0);
    EXPECT_FALSE(ui().Label2->isVisible());
    EXPECT_FALSE(ui().Button1->isEnabled());
    EXPECT_EQ(clips(), Clips{});

    click(inYellow);
    EXPECT_EQ(game().Entered, "GY");
    EXPECT_EQ(clips(), Clips{"YELLOW"});
    EXPECT_EQ(boxes.seen.size(), 1u);
}

TEST_F(MissingMedia, GlumFaceStopsTheFailureAfterItsClip) {
    missedSecondRound();
    remove("BAD");
    click(judgeButton);
    expectOneBox("bad");
    EXPECT_EQ(clips(), Clips{"HAZURE"});
    EXPECT_EQ(ui().Label1->text(), "はずれ !\u3000正解はYGR");
    EXPECT_FALSE(ui().Image5->isVisible());
    EXPECT_EQ(game().Level, 2);
    EXPECT_EQ(game().Entered, "G");
    EXPECT_FALSE(ui().Button1->isEnabled());

    click(inRed);
    EXPECT_EQ(game().Entered, "GR");
    EXPECT_EQ(clips(), (Clips{"HAZURE", "RED"}));
    EXPECT_EQ(boxes.seen.size(), 1u);
}

}  // namespace
