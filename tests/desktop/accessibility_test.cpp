// What a screen reader learns about the window's controls, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMetaEnum>
#include <QTest>

#include "app/picture_control.h"
#include "app/tform1.h"
#include "game/random.h"
#include "media/embedded.h"

namespace {

class Instant final : public Timing {
public:
    void pause(std::chrono::milliseconds) override {}
    void play(std::span<const std::uint8_t>) override {}
};

class Accessibility : public testing::Test {
protected:
    void SetUp() override {
        form.showAtHome();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    QAccessibleInterface* control(const char* name) {
        QWidget* widget = form.findChild<QWidget*>(name);
        return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    }

    Instant timing;
    game::ClockRandom random;
    TForm1 form{timing, media::embedded(), random};
};

struct Announced {
    const char* control;
    QString name;
    QAccessible::Role role;
};

std::string roleName(QAccessible::Role role) {
    return QMetaEnum::fromType<QAccessible::Role>().valueToKey(role);
}

}  // namespace

TEST_F(Accessibility, EveryControlHasANameAndARoleInsideTheNamedWindow) {
    const Announced controls[] = {
        {"Image1", "赤 (red)", QAccessible::Button},
        {"Image2", "青 (blue)", QAccessible::Button},
        {"Image3", "黄 (yellow)", QAccessible::Button},
        {"Image4", "緑 (green)", QAccessible::Button},
        {"Label1", "ピコラッタ", QAccessible::StaticText},
        {"Image5", "結果 (result)", QAccessible::Graphic},
        {"Button1", "スタート", QAccessible::PushButton},
        {"Button2", "判定", QAccessible::PushButton},
        {"Button3", "エンド", QAccessible::PushButton},
    };
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->text(QAccessible::Name), "MELQUAD");
    for (const auto& [name, text, role] : controls) {
        QAccessibleInterface* control = this->control(name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->text(QAccessible::Name), text) << name;
        EXPECT_EQ(roleName(control->role()), roleName(role)) << name;
        EXPECT_GE(window->indexOfChild(control), 0) << name << " cannot be reached from the window";
    }
}

TEST_F(Accessibility, StateFollowsTheControls) {
    EXPECT_TRUE(control("Image1")->state().disabled);
    EXPECT_TRUE(control("Button2")->state().disabled);
    EXPECT_FALSE(control("Button1")->state().disabled);
    EXPECT_TRUE(control("Button1")->state().focusable);
    EXPECT_FALSE(control("Image1")->state().focusable);
    EXPECT_TRUE(control("Label2")->state().invisible);
    EXPECT_TRUE(control("Image5")->state().invisible);

    form.enable(game::Control::Image1);
    form.show(game::Control::Image5);
    EXPECT_FALSE(control("Image1")->state().disabled);
    EXPECT_FALSE(control("Image5")->state().invisible);
}

TEST_F(Accessibility, TheLabelsAnnounceTheirCurrentText) {
    form.setText(game::Control::Label1, "あなたの番");
    form.setText(game::Control::Label2, "あなたのピコラッタ指数は3です");
    form.show(game::Control::Label2);
    for (const auto& [name, text, role] :
         {Announced{"Label1", "あなたの番", QAccessible::StaticText},
          Announced{"Label2", "あなたのピコラッタ指数は3です", QAccessible::StaticText}}) {
        EXPECT_EQ(control(name)->text(QAccessible::Name), text) << name;
        EXPECT_EQ(roleName(control(name)->role()), roleName(role)) << name;
        EXPECT_FALSE(control(name)->state().invisible) << name;
    }
}

TEST_F(Accessibility, AnEnabledQuarterCanBePressedLikeAClick) {
    QAccessibleActionInterface* red = control("Image1")->actionInterface();
    ASSERT_NE(red, nullptr);
    EXPECT_FALSE(red->actionNames().contains(QAccessibleActionInterface::pressAction()));
    red->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(form.game().Entered, "") << "a disabled quarter was pressed";

    form.enable(game::Control::Image1);
    form.enable(game::Control::Image4);
    EXPECT_TRUE(red->actionNames().contains(QAccessibleActionInterface::pressAction()));
    red->doAction(QAccessibleActionInterface::pressAction());
    control("Image4")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(form.game().Entered, "RG");
}

TEST(AccessiblePicture, IsAButtonOnlyWhileSomethingTakesItsClicks) {
    PictureControl picture;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&picture);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(roleName(accessible->role()), roleName(QAccessible::Graphic));
    EXPECT_FALSE(accessible->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));

    int clicks = 0;
    const auto listener = QObject::connect(&picture, &PictureControl::clicked, [&] { ++clicks; });
    EXPECT_EQ(roleName(accessible->role()), roleName(QAccessible::Button));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);

    QObject::disconnect(listener);
    EXPECT_EQ(roleName(accessible->role()), roleName(QAccessible::Graphic));
}
