#include "art.h"

namespace media {
namespace {

// Shapes are sampled at pixel centres, with no anti-aliasing.
double centre(int pixel) { return pixel + 0.5; }

bool inEllipse(int x, int y, double cx, double cy, double rx, double ry) {
    double dx = (centre(x) - cx) / rx;
    double dy = (centre(y) - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

bool inDisc(int x, int y, double cx, double cy, double r) { return inEllipse(x, y, cx, cy, r, r); }

template <typename Shape>
void paint(Raster& raster, Rgb colour, Shape inside) {
    for (int y = 0; y < raster.height; ++y)
        for (int x = 0; x < raster.width; ++x)
            if (inside(x, y)) raster.at(x, y) = colour;
}

// The face's disc with two upright oval eyes.
Raster faceWithEyes(Rgb skin, Rgb eyes) {
    Raster face(faceSize, faceSize, black);
    paint(face, skin, [](int x, int y) { return inDisc(x, y, 200, 200, 200); });
    paint(face, eyes, [](int x, int y) {
        return inEllipse(x, y, 140, 145, 22, 40) || inEllipse(x, y, 260, 145, 22, 40);
    });
    return face;
}

}  // namespace

Raster quarter(Corner corner, Rgb colour) {
    bool right = corner == Corner::TopRight || corner == Corner::BottomRight;
    bool bottom = corner == Corner::BottomLeft || corner == Corner::BottomRight;
    double cx = right ? quarterSize : 0;
    double cy = bottom ? quarterSize : 0;
    Raster picture(quarterSize, quarterSize, black);
    paint(picture, colour, [&](int x, int y) { return inDisc(x, y, cx, cy, quarterSize); });
    return picture;
}

Raster smilingFace() {
    Raster face = faceWithEyes(yellow, black);
    // A thin arc of the circle around (200, 190), its lower part only.
    paint(face, red, [](int x, int y) {
        double dx = centre(x) - 200, dy = centre(y) - 190;
        double r2 = dx * dx + dy * dy;
        return r2 >= 118.0 * 118.0 && r2 <= 126.0 * 126.0 && dy > 0.45 * 126.0;
    });
    return face;
}

Raster glumFace() {
    Raster face = faceWithEyes(blue, white);
    paint(face, black, [](int x, int y) { return x >= 130 && x < 270 && y >= 282 && y < 292; });
    return face;
}

Raster iconArt() {
    Raster icon(iconSize, iconSize, black);
    paint(icon, red, [](int x, int y) { return x < 16 && y < 16 && inDisc(x, y, 16, 16, 14); });
    paint(icon, blue, [](int x, int y) { return x >= 16 && y < 16 && inDisc(x, y, 16, 16, 14); });
    paint(icon, yellow, [](int x, int y) { return x < 16 && y >= 16 && inDisc(x, y, 16, 16, 14); });
    paint(icon, green, [](int x, int y) { return x >= 16 && y >= 16 && inDisc(x, y, 16, 16, 14); });
    return icon;
}

}  // namespace media
