#include "screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstring>
#include <mutex>

namespace player {
namespace {

std::string nameOf(Display* display, Window window) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) return {};
    std::string out(name);
    XFree(name);
    return out;
}

// The viewable children of the root window.
template <typename Visit>
void forEachShown(Display* display, Visit visit) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0)
        return;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable)
            visit(children[i]);
    }
    if (children != nullptr) XFree(children);
}

}  // namespace

Screen::Screen(const std::string& display) {
    static std::once_flag threads;
    std::call_once(threads, [] { XInitThreads(); });
    display_ = XOpenDisplay(display.c_str());
}

Screen::~Screen() {
    if (display_ != nullptr) XCloseDisplay(display_);
}

std::optional<QPoint> Screen::findWindow(const std::string& title) {
    std::optional<QPoint> found;
    forEachShown(display_, [&](Window window) {
        if (found || nameOf(display_, window) != title) return;
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
        found = QPoint(x, y);
    });
    return found;
}

int Screen::shownWindows() {
    int count = 0;
    forEachShown(display_, [&](Window) { ++count; });
    return count;
}

std::uint32_t Screen::pixel(QPoint at) {
    XImage* image =
        XGetImage(display_, DefaultRootWindow(display_), at.x(), at.y(), 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return 0;
    const auto value = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xffffff;
    XDestroyImage(image);
    return value;
}

QImage Screen::grab(QRect area) {
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), area.x(), area.y(),
                              static_cast<unsigned>(area.width()),
                              static_cast<unsigned>(area.height()), AllPlanes, ZPixmap);
    if (image == nullptr) return {};
    QImage out(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            out.setPixel(x, y, static_cast<QRgb>(XGetPixel(image, x, y)) | 0xff000000u);
    XDestroyImage(image);
    return out;
}

void Screen::click(QPoint at, Button button) {
    XTestFakeMotionEvent(display_, -1, at.x(), at.y(), CurrentTime);
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), True, CurrentTime);
    XTestFakeButtonEvent(display_, static_cast<unsigned>(button), False, CurrentTime);
    XFlush(display_);
}

}  // namespace player
