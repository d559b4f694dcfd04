#pragma once

#include <QWidget>
#include <memory>

#include "game/board_view.h"
#include "game/game.h"
#include "timing.h"

namespace Ui {
class TForm1;
}
class PictureControl;
class QLabel;
class QPushButton;

// The main window: the board view on real widgets, with every control's events wired to the
// game's handlers.
class TForm1 : public QWidget, public game::BoardView {
    Q_OBJECT

public:
    TForm1(Timing& timing, const media::Catalogue& media, game::RandomSource& random,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // Places the window's outer frame where it belongs, as far as the window manager allows.
    void showAtHome();

    game::Game& game() { return game_; }
    const Ui::TForm1& controls() const { return *ui_; }

    void setPicture(game::Control control, const media::Item& picture) override;
    void show(game::Control control) override;
    void hide(game::Control control) override;
    void setText(game::Control label, std::string_view utf8) override;
    void setStatusSize(int points) override;
    void enable(game::Control control) override;
    void disable(game::Control control) override;
    void pump() override;
    void pause(std::chrono::milliseconds duration) override;
    void playClip(std::span<const std::uint8_t> wave) override;

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Button3Click();
    void wireEvents();
    template <typename Handler>
    void guarded(Handler handler);
    QWidget* widget(game::Control control) const;
    void fitFrame();

    std::unique_ptr<Ui::TForm1> ui_;
    Timing& timing_;
    game::Game game_;
    bool frameFitted_ = false;
};
