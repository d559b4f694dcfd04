#include "tform1.h"

#include <QApplication>
#include <QMessageBox>
#include <QMoveEvent>

#include "media/picture.h"
#include "picture_control.h"
#include "ui_tform1.h"

namespace {

constexpr QPoint homePosition{277, 99};
constexpr QSize homeFrameSize{446, 541};

game::MouseButton toGame(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return game::MouseButton::Left;
        case Qt::RightButton: return game::MouseButton::Right;
        default: return game::MouseButton::Middle;
    }
}

}  // namespace

TForm1::TForm1(Timing& timing, const media::Catalogue& media, game::RandomSource& random,
               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TForm1>()),
      timing_(timing),
      game_(*this, media, random) {
    ui_->setupUi(this);
    wireEvents();
    guarded([this] { game_.FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::showAtHome() {
    move(homePosition);
    QWidget::show();
}

template <typename Handler>
void TForm1::guarded(Handler handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(),
                              QString::fromUtf8(failure.what()));
    }
}

void TForm1::wireEvents() {
    using game::Game;
    const std::pair<PictureControl*, void (Game::*)()> quarters[] = {
        {ui_->Image1, &Game::Image1Click},
        {ui_->Image2, &Game::Image2Click},
        {ui_->Image3, &Game::Image3Click},
        {ui_->Image4, &Game::Image4Click},
    };
    for (auto [quarter, click] : quarters) {
        connect(quarter, &PictureControl::clicked, this,
                [this, click] { guarded([this, click] { (game_.*click)(); }); });
        connect(quarter, &PictureControl::mouseDown, this, [this](Qt::MouseButton button) {
            guarded([this, button] { game_.Image1MouseDown(toGame(button)); });
        });
    }
    connect(ui_->Button1, &QPushButton::clicked, this,
            [this] { guarded([this] { game_.Button1Click(); }); });
    connect(ui_->Button2, &QPushButton::clicked, this,
            [this] { guarded([this] { game_.Button2Click(); }); });
    connect(ui_->Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TForm1::Button3Click() { close(); }

QWidget* TForm1::widget(game::Control control) const {
    using game::Control;
    switch (control) {
        case Control::Image1: return ui_->Image1;
        case Control::Image2: return ui_->Image2;
        case Control::Image3: return ui_->Image3;
        case Control::Image4: return ui_->Image4;
        case Control::Label1: return ui_->Label1;
        case Control::Label2: return ui_->Label2;
        case Control::Image5: return ui_->Image5;
        case Control::Button1: return ui_->Button1;
        case Control::Button2: return ui_->Button2;
    }
    return nullptr;
}

void TForm1::setPicture(game::Control control, const media::Item& picture) {
    auto* target = qobject_cast<PictureControl*>(widget(control));
    target->setPixmap(QPixmap::fromImage(media::decodePicture(picture.bytes)));
}

void TForm1::show(game::Control control) { widget(control)->setVisible(true); }

void TForm1::hide(game::Control control) { widget(control)->setVisible(false); }

void TForm1::setText(game::Control label, std::string_view utf8) {
    qobject_cast<QLabel*>(widget(label))
        ->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void TForm1::setStatusSize(int points) {
    QFont font = ui_->Label1->font();
    font.setPointSize(points);
    ui_->Label1->setFont(font);
}

void TForm1::enable(game::Control control) { widget(control)->setEnabled(true); }

void TForm1::disable(game::Control control) { widget(control)->setEnabled(false); }

void TForm1::pump() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TForm1::pause(std::chrono::milliseconds duration) { timing_.pause(duration); }

void TForm1::playClip(std::span<const std::uint8_t> wave) { timing_.play(wave); }

// The frame's size is known only once a window manager has decorated the window, if one ever
// does: then the client area is sized so that the frame has its intended size.
void TForm1::fitFrame() {
    if (frameFitted_ || !isVisible()) return;
    const QSize margins = frameGeometry().size() - size();
    if (margins.width() <= 0 && margins.height() <= 0) return;
    frameFitted_ = true;
    resize(homeFrameSize - margins);
    move(homePosition);
}

void TForm1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    fitFrame();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitFrame();
}
