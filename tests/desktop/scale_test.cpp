// The real program at a device pixel ratio of 2, on an Xvfb screen the test starts itself.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QThread>

#include "media/embedded.h"
#include "media/picture.h"
#include "process.h"

namespace {

constexpr int scale = 2;

// An Xvfb server on a display it picks itself, stopped with the object.
class XServer {
public:
    explicit XServer(const QString& screen) {
        endWithTheTest(server_);
        server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"});
        if (!server_.waitForStarted(5000)) return;
        while (!server_.canReadLine() && server_.waitForReadyRead(10000)) {
        }
        const QString number = QString::fromLatin1(server_.readLine()).trimmed();
        if (!number.isEmpty()) display_ = ":" + number;
    }
    ~XServer() {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    const QString& display() const { return display_; }

private:
    QProcess server_;
    QString display_;
};

// The window's client area in device pixels, or an empty rectangle while there is none.
QRect windowGeometry(const QString& display, const QString& title) {
    const QString info = run("xwininfo", {"-display", display, "-name", title}).out;
    auto value = [&](const char* key) {
        const auto m = QRegularExpression(QString(key) + R"(:\s+(-?\d+))").match(info);
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    };
    return {value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
            value("Height")};
}

QImage screenshot(const QString& display, QRect area) {
    const QString geometry =
        QString("%1x%2+%3+%4").arg(area.width()).arg(area.height()).arg(area.x()).arg(area.y());
    QProcess import;
    import.start("import", {"-display", display, "-window", "root", "-crop", geometry, "-depth",
                            "8", "png:-"});
    import.waitForFinished(10000);
    return QImage::fromData(import.readAllStandardOutput(), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

// The board in logical pixels: the four normal quarter pictures side by side.
QImage expectedBoard() {
    QImage board(400, 400, QImage::Format_RGB32);
    QPainter painter(&board);
    const struct {
        const char* name;
        QPoint at;
    } quarters[] = {{"quauter11", {0, 0}},
                    {"quauter22", {200, 0}},
                    {"quauter33", {0, 200}},
                    {"quauter44", {200, 200}}};
    for (const auto& [name, at] : quarters)
        painter.drawImage(at, media::decodePicture(media::embedded().find(name).bytes));
    return board;
}

const QColor background(185, 209, 234), infoBackground(255, 255, 225);

bool isInk(QColor c) { return c.lightness() < 100; }

class ScaledProgram : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(server.display().isEmpty()) << "no Xvfb could be started";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", server.display());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("QT_SCALE_FACTOR", QString::number(scale));
        env.insert("SDL_AUDIODRIVER", "dummy");
        game.setProcessEnvironment(env);
        endWithTheTest(game);
        game.start(MELQUAD_EXECUTABLE, {});
        ASSERT_TRUE(game.waitForStarted(5000));

        // Shot once the red quarter is on screen.
        for (int tries = 0; tries < 100; ++tries) {
            QThread::msleep(100);
            window = windowGeometry(server.display(), "MELQUAD");
            if (window.isEmpty()) continue;
            shot = screenshot(server.display(), window);
            if (!shot.isNull() && device(156, 196) == Qt::red) break;
        }
        ASSERT_FALSE(window.isEmpty()) << "no window with the caption MELQUAD appeared";
        ASSERT_FALSE(shot.isNull());
        QDir().mkpath(SCREENSHOT_DIR);
        const QString path = QDir(SCREENSHOT_DIR).filePath("scale2.png");
        shot.save(path);
        std::cout << "screenshot: " << path.toStdString() << "\n";
    }
    void TearDown() override {
        game.terminate();
        game.waitForFinished(5000);
    }

    // The shot's colour at a logical point of the client area (the top-left of its device pixels).
    QColor device(int x, int y) const { return shot.pixelColor(scale * x, scale * y); }

    XServer server{"2048x1536x24"};
    QProcess game;
    QRect window;
    QImage shot;
};

}  // namespace

TEST_F(ScaledProgram, KeepsItsLayoutInLogicalPixels) {
    EXPECT_EQ(window.topLeft(), scale * QPoint(277, 99));
    EXPECT_EQ(window.size(), scale * QSize(446, 541));

    const struct {
        QPoint at;
        QColor colour;
    } pixels[] = {
        {{156, 196}, Qt::red},     {{276, 196}, Qt::blue},      {{156, 316}, Qt::yellow},
        {{276, 316}, Qt::green},   {{16, 56}, Qt::black},       {{415, 56}, Qt::black},
        {{16, 455}, Qt::black},    {{415, 455}, Qt::black},     {{8, 460}, background},
        {{16, 8}, infoBackground}, {{416, 48}, infoBackground}, {{15, 20}, background},
        {{417, 20}, background},   {{100, 49}, background},
    };
    for (const auto& [at, colour] : pixels)
        EXPECT_EQ(device(at.x(), at.y()).name().toStdString(), colour.name().toStdString())
            << at.x() << "," << at.y();

    // Each button's face starts at its left edge and the window's background just before it.
    for (int left : {64, 184, 304}) {
        EXPECT_NE(shot.pixelColor(scale * left + 3, scale * 484), background) << left;
        EXPECT_EQ(shot.pixelColor(scale * left - 2, scale * 484), background) << left;
    }
}

TEST_F(ScaledProgram, BoardIsItsPicturesDoubledWithoutGapOrSeam) {
    const QImage expected = expectedBoard().scaled(scale * 400, scale * 400, Qt::IgnoreAspectRatio,
                                                   Qt::FastTransformation);
    const QImage board = shot.copy(scale * 16, scale * 56, scale * 400, scale * 400);
    int wrong = 0;
    QPoint first;
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            if (board.pixel(x, y) != expected.pixel(x, y) && wrong++ == 0) first = {x, y};
    EXPECT_EQ(wrong, 0) << "first at device " << first.x() << "," << first.y();

    // Along both centre lines of the disc every device pixel is a quarter's colour.
    const int centre = scale * 200, reach = scale * 195;
    auto isQuarterColour = [](QColor c) {
        return c == Qt::red || c == Qt::blue || c == Qt::yellow || c == Qt::green;
    };
    for (int along = centre - reach; along < centre + reach; ++along)
        for (int across = centre - 2; across < centre + 2; ++across) {
            EXPECT_TRUE(isQuarterColour(board.pixelColor(across, along)))
                << "vertical seam at device " << across << "," << along;
            EXPECT_TRUE(isQuarterColour(board.pixelColor(along, across)))
                << "horizontal seam at device " << along << "," << across;
        }
}

TEST_F(ScaledProgram, StatusTextIsDrawnAtTheDevicesResolution) {
    const QRect status(scale * QPoint(16, 8), scale * QSize(401, 41));
    int left = status.right(), right = status.left();
    int inkBlocks = 0, mixedBlocks = 0;
    for (int y = status.top(); y < status.bottom(); y += 2)
        for (int x = status.left(); x < status.right(); x += 2) {
            const QRgb block[] = {shot.pixel(x, y), shot.pixel(x + 1, y), shot.pixel(x, y + 1),
                                  shot.pixel(x + 1, y + 1)};
            if (!std::ranges::any_of(block, [](QRgb c) { return isInk(QColor(c)); })) continue;
            ++inkBlocks;
            if (!std::ranges::all_of(block, [&](QRgb c) { return c == block[0]; })) ++mixedBlocks;
            left = std::min(left, x);
            right = std::max(right, x + 1);
        }
    QFont gothic("IPAPGothic");
    gothic.setPointSize(28);
    gothic.setBold(true);
    const QRect text = QFontMetrics(gothic).tightBoundingRect("ピコラッタ");
    EXPECT_NEAR(right - left + 1, scale * text.width(), 8);
    EXPECT_NEAR((left + right) / 2.0, status.center().x(), 6);
    // Text magnified from a single-density drawing is made of uniform 2x2 blocks; text drawn
    // for the device has detail finer than that along every stroke's edge.
    ASSERT_GT(inkBlocks, 400);
    EXPECT_GT(double(mixedBlocks) / inkBlocks, 0.25) << mixedBlocks << " of " << inkBlocks;
}

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
