// The yardstick for the game's start-up and memory: an empty Qt Widgets window of the game's
// size and place, filled with one colour.
#include <QApplication>
#include <QPalette>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(255, 0, 0));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setWindowTitle(QStringLiteral("minimal"));
    window.setGeometry(277, 99, 446, 541);
    window.show();
    return QApplication::exec();
}
