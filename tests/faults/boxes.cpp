#include "boxes.h"

#include <QApplication>
#include <QPushButton>

BoxAnswerer::BoxAnswerer() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        seen.push_back({box->windowTitle(), box->text(), box->icon()});
        box->button(QMessageBox::Ok)->click();
    });
    poll_.start(5);
}
