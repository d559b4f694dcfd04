// The built program on a real X server that the test starts itself.
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

#include "servers.h"

namespace {

QString run(const QString& program, const QStringList& args, int* exitCode = nullptr) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QRect windowGeometry(const QString& display, const QString& title) {
    const QString info = run("xwininfo", {"-display", display, "-name", title});
    auto value = [&](const char* key) {
        const auto m = QRegularExpression(QString(key) + R"(:\s+(-?\d+))").match(info);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    return {value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
            value("Height")};
}

QImage screenshot(const QString& display, const QString& path) {
    run("import", {"-display", display, "-window", "root", "-depth", "8", "png:" + path});
    return QImage(path);
}

bool isInk(QColor c) { return c.lightness() < 100; }

}  // namespace

TEST(Program, ShowsItsWindowWithTheBoardAndTheStatusLine) {
    const player::XServer x;
    const QString display = QString::fromStdString(x.display());
    ASSERT_FALSE(display.isEmpty()) << "no Xvfb could be started";

    QProcess game;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("SDL_AUDIODRIVER", "dummy");
    game.setProcessEnvironment(env);
    game.start(MELQUAD_EXECUTABLE, {});
    ASSERT_TRUE(game.waitForStarted(5000));

    QRect window;
    QImage shot;
    const QString path = QDir(SCREENSHOT_DIR).filePath("board.png");
    QDir().mkpath(SCREENSHOT_DIR);
    for (int tries = 0; tries < 100; ++tries) {
        QThread::msleep(100);
        window = windowGeometry(display, "MELQUAD");
        if (window.width() <= 0) continue;
        shot = screenshot(display, path);
        if (!shot.isNull() && shot.pixelColor(window.topLeft() + QPoint(156, 196)) == Qt::red) break;
    }
    ASSERT_GT(window.width(), 0) << "no window with the caption MELQUAD appeared";
    EXPECT_EQ(window.topLeft(), QPoint(277, 99));
    ASSERT_FALSE(shot.isNull());
    std::cout << "screenshot: " << path.toStdString() << "\n";

    const QPoint origin = window.topLeft();
    const struct {
        QPoint at;
        QColor colour;
    } pixels[] = {
        {{156, 196}, Qt::red},   {{276, 196}, Qt::blue}, {{156, 316}, Qt::yellow},
        {{276, 316}, Qt::green}, {{17, 57}, Qt::black},  {{414, 57}, Qt::black},
        {{17, 454}, Qt::black},  {{414, 454}, Qt::black},
    };
    for (const auto& [at, colour] : pixels)
        EXPECT_EQ(shot.pixelColor(origin + at), colour) << at.x() << "," << at.y();

    // The status line's ink spans the width of its text drawn in the Japanese Gothic.
    const QRect status(origin + QPoint(16, 8), QSize(401, 41));
    int left = status.right(), right = status.left(), ink = 0;
    for (int y = status.top(); y <= status.bottom(); ++y)
        for (int px = status.left(); px <= status.right(); ++px)
            if (isInk(shot.pixelColor(px, y))) {
                ++ink;
                left = std::min(left, px);
                right = std::max(right, px);
            }
    QFont gothic("IPAPGothic");
    gothic.setPointSize(28);
    gothic.setBold(true);
    const QRect text = QFontMetrics(gothic).tightBoundingRect("ピコラッタ");
    EXPECT_GT(ink, 200);
    EXPECT_NEAR(right - left + 1, text.width(), 6);
    EXPECT_NEAR((left + right) / 2.0, status.center().x(), 4);

    game.terminate();
    game.waitForFinished(5000);
}

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
