#include "picture_control.h"

#include <QMouseEvent>
#include <QPainter>

PictureControl::PictureControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
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
