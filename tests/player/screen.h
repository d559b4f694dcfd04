#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>
#include <string>

struct _XDisplay;

namespace player {

// One connection to an X server: what a person sees on the screen and does with the mouse.
// Coordinates are the screen's. Each thread uses a connection of its own.
class Screen {
public:
    explicit Screen(const std::string& display);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    bool connected() const { return display_ != nullptr; }

    // The top-left corner of the inside of the shown window with this title.
    std::optional<QPoint> findWindow(const std::string& title);
    // Windows shown directly on the desktop: the game's own, and any message box it opens.
    int shownWindows();

    std::uint32_t pixel(QPoint at);  // 0xRRGGBB
    QImage grab(QRect area);

    enum Button { Left = 1, Middle = 2, Right = 3 };
    // Moves the pointer there and presses and releases the button, both sent at once.
    void click(QPoint at, Button button = Left);

private:
    _XDisplay* display_ = nullptr;
};

}  // namespace player
