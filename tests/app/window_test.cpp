#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include "fixture.h"
#include "ui_tform1.h"

namespace {

struct Placement {
    const char* name;
    QRect geometry;
};

// In creation order, which is also the stacking order from the bottom up.
const Placement layout[] = {
    {"Image1", {16, 56, 200, 200}},  {"Image2", {216, 56, 200, 200}},
    {"Image3", {16, 256, 200, 200}}, {"Image4", {216, 256, 200, 200}},
    {"Label1", {16, 8, 401, 41}},    {"Label2", {56, 240, 321, 25}},
    {"Image5", {16, 56, 400, 400}},  {"Button1", {64, 472, 75, 25}},
    {"Button2", {184, 472, 75, 25}}, {"Button3", {304, 472, 75, 25}},
};

QWidget* control(TForm1& form, const char* name) { return form.findChild<QWidget*>(name); }

}  // namespace

using WindowTest = FormTest;

TEST_F(WindowTest, ControlsArePlacedAndStackedInCreationOrder) {
    std::vector<std::string> stacking;
    for (QObject* child : form->children())
        if (child->isWidgetType()) stacking.push_back(child->objectName().toStdString());
    std::vector<std::string> expected;
    for (const auto& [name, geometry] : layout) {
        expected.push_back(name);
        ASSERT_NE(control(*form, name), nullptr) << name;
        EXPECT_EQ(control(*form, name)->geometry(), geometry) << name;
    }
    EXPECT_EQ(stacking, expected);
}

TEST_F(WindowTest, ControlsKeepTheirPlacesWhenTheWindowIsResized) {
    for (QSize size : {QSize(800, 700), QSize(200, 150), QSize(446, 541)}) {
        form->resize(size);
        QCoreApplication::processEvents();
        for (const auto& [name, geometry] : layout)
            EXPECT_EQ(control(*form, name)->geometry(), geometry) << name << " at " << size.width();
    }
}

TEST_F(WindowTest, WindowHasItsCaptionIconAndNoTitleBarButtons) {
    EXPECT_EQ(form->windowTitle(), "MELQUAD");
    EXPECT_EQ(form->pos(), QPoint(277, 99));
    EXPECT_EQ(form->size(), QSize(446, 541));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    for (auto button : {Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                        Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
        EXPECT_FALSE(flags & button);
}

TEST_F(WindowTest, TextsUseTheJapaneseGothicAtTheirPixelSizes) {
    const struct {
        const char* name;
        int pixels;
        bool bold;
    } fonts[] = {{"Label1", 37, true},   {"Label2", 21, true},   {"Button1", 12, false},
                 {"Button2", 12, false}, {"Button3", 12, false}};
    for (const auto& [name, pixels, bold] : fonts) {
        const QFont font = control(*form, name)->font();
        EXPECT_EQ(font.family(), "ＭＳ Ｐゴシック") << name;
        const QFontInfo used(font);
        EXPECT_EQ(used.family(), "IPAPGothic") << name;
        EXPECT_EQ(used.pixelSize(), pixels) << name;
        EXPECT_EQ(used.bold(), bold) << name;
        EXPECT_TRUE(QFontMetrics(font).inFontUcs4(U'ピ')) << name;
    }
}

TEST_F(WindowTest, ControlsStartInTheirInitialStates) {
    const auto& ui = form->controls();
    for (QWidget* quarter : {static_cast<QWidget*>(ui.Image1), static_cast<QWidget*>(ui.Image2),
                             static_cast<QWidget*>(ui.Image3), static_cast<QWidget*>(ui.Image4)}) {
        EXPECT_FALSE(quarter->isEnabled());
        EXPECT_TRUE(quarter->isVisible());
    }
    EXPECT_EQ(ui.Label1->text(), "ピコラッタ");
    EXPECT_FALSE(ui.Label2->isVisible());
    EXPECT_EQ(ui.Label2->text(), "");
    EXPECT_FALSE(ui.Image5->isVisible());
    const struct {
        QPushButton* button;
        const char* caption;
        bool enabled;
    } buttons[] = {{ui.Button1, "スタート", true}, {ui.Button2, "判定", false},
                   {ui.Button3, "エンド", true}};
    for (const auto& [button, caption, enabled] : buttons) {
        EXPECT_EQ(button->text(), QString::fromUtf8(caption));
        EXPECT_EQ(button->isEnabled(), enabled) << caption;
    }
    EXPECT_EQ(QApplication::focusWidget(), ui.Button1);
    EXPECT_EQ(form->game().Level, 1);
}

TEST_F(WindowTest, DisabledBoardShowsItsFourColoursOnBlack) {
    const QImage shot = form->grab().toImage();
    const struct {
        QPoint at;
        QColor colour;
    } pixels[] = {
        {{216 - 60, 256 - 60}, Qt::red},   {{216 + 60, 256 - 60}, Qt::blue},
        {{216 - 60, 256 + 60}, Qt::yellow}, {{216 + 60, 256 + 60}, Qt::green},
        {{17, 57}, Qt::black},              {{415, 455}, Qt::black},
        {{5, 5}, QColor(185, 209, 234)},    {{20, 12}, QColor(255, 255, 225)},
    };
    for (const auto& [at, colour] : pixels)
        EXPECT_EQ(shot.pixelColor(at), colour) << at.x() << "," << at.y();
}
