#include "picture_control.h"

#include <QAccessibleWidget>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

// A picture that something listens to for clicks is announced as a button, and assistive tools
// may press it while it is enabled; any other picture is a graphic.
class PictureControl::Accessible final : public QAccessibleWidget {
public:
    explicit Accessible(PictureControl* picture) : QAccessibleWidget(picture) {}

    static QAccessibleInterface* create(const QString& className, QObject* object) {
        if (className != QLatin1String("PictureControl")) return nullptr;
        return new Accessible(static_cast<PictureControl*>(object));
    }

    QAccessible::Role role() const override {
        return takesClicks() ? QAccessible::Button : QAccessible::Graphic;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (takesClicks() && picture()->isEnabled()) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && takesClicks() && picture()->isEnabled())
            emit picture()->clicked();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    PictureControl* picture() const { return static_cast<PictureControl*>(widget()); }
    bool takesClicks() const {
        return picture()->isSignalConnected(QMetaMethod::fromSignal(&PictureControl::clicked));
    }
};

PictureControl::PictureControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool accessible = (QAccessible::installFactory(&Accessible::create), true);
    Q_UNUSED(accessible);
}

void PictureControl::setPixmap(const QPixmap& pixmap) {
    pixmap_ = pixmap;
    if (autoSize_) resize(pixmap_.deviceIndependentSize().toSize());
    update();
}

void PictureControl::setAutoSize(bool on) {
    autoSize_ = on;
    if (autoSize_ && !pixmap_.isNull()) resize(pixmap_.deviceIndependentSize().toSize());
}

void PictureControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawPixmap(0, 0, pixmap_);
}

void PictureControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) leftPressed_ = true;
    emit mouseDown(event->button());
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent* event) {
    emit mouseDown(event->button());
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !leftPressed_) return;
    leftPressed_ = false;
    if (rect().contains(event->position().toPoint())) emit clicked();
}
