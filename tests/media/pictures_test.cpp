#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <string>

#include "le.h"
#include "media/embedded.h"
#include "media/picture.h"

namespace {

std::span<const std::uint8_t> bytesOf(const std::string& name) {
    return media::embedded().find(name).bytes;
}

QImage picture(const std::string& name) {
    QImage image = media::decodePicture(bytesOf(name));
    EXPECT_FALSE(image.isNull()) << name;
    return image;
}

std::set<QRgb> coloursIn(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) | 0xff000000);
    return colours;
}

constexpr QRgb black = 0xff000000, white = 0xffffffff, red = 0xffff0000, blue = 0xff0000ff,
               yellow = 0xffffff00, green = 0xff00ff00;

struct DibCase {
    const char* name;
    int size;
    std::uint32_t bits;
    std::uint32_t colours;
};

void PrintTo(const DibCase& c, std::ostream* os) { *os << c.name; }

const DibCase dibs[] = {
    {"QUAUTER1", 200, 8, 256},  {"QUAUTER11", 200, 8, 256}, {"QUAUTER2", 200, 8, 256},
    {"QUAUTER22", 200, 8, 256}, {"QUAUTER3", 200, 8, 256},  {"QUAUTER33", 200, 8, 256},
    {"QUAUTER4", 200, 8, 256},  {"QUAUTER44", 200, 8, 256}, {"SMILE", 400, 24, 0},
    {"BAD", 400, 24, 0},
};

class Dib : public testing::TestWithParam<DibCase> {};

TEST_P(Dib, HeaderDescribesBottomUpUncompressedRows) {
    auto [name, size, bits, colours] = GetParam();
    auto b = bytesOf(name);
    std::uint32_t stride = (size * bits / 8 + 3) / 4 * 4;
    std::uint32_t image = stride * std::uint32_t(size);
    ASSERT_EQ(b.size(), 40 + 4 * colours + image);
    EXPECT_EQ(u32(b, 0), 40u);
    EXPECT_EQ(s32(b, 4), size);
    EXPECT_EQ(s32(b, 8), size);  // positive: bottom row first
    EXPECT_EQ(u16(b, 12), 1u);
    EXPECT_EQ(u16(b, 14), bits);
    EXPECT_EQ(u32(b, 16), 0u);
    EXPECT_EQ(u32(b, 20), image);
    EXPECT_EQ(u32(b, 24), 3780u);
    EXPECT_EQ(u32(b, 28), 3780u);
    EXPECT_EQ(u32(b, 32), colours);
    EXPECT_EQ(u32(b, 36), 0u);
    QImage decoded = picture(name);
    EXPECT_EQ(decoded.width(), size);
    EXPECT_EQ(decoded.height(), size);
}

INSTANTIATE_TEST_SUITE_P(All, Dib, testing::ValuesIn(dibs),
                         [](const auto& p) { return std::string(p.param.name); });

struct QuarterCase {
    const char* name;
    bool centreRight;   // the board's centre is at the picture's right edge
    bool centreBottom;  // ... at its bottom edge
    QRgb colour;
};

void PrintTo(const QuarterCase& c, std::ostream* os) { *os << c.name; }

const QuarterCase quarters[] = {
    {"QUAUTER1", true, true, white},   {"QUAUTER11", true, true, red},
    {"QUAUTER2", false, true, white},  {"QUAUTER22", false, true, blue},
    {"QUAUTER3", true, false, white},  {"QUAUTER33", true, false, yellow},
    {"QUAUTER4", false, false, white}, {"QUAUTER44", false, false, green},
};

// Pixels counted away from the board's centre corner: u across, v up or down.
struct Probe {
    int u, v;
    bool in;
};

// clang-format off
const Probe probes[] = {
    {0, 0, true},                        // touching the centre
    {199, 199, false},                   // far corner
    {199, 0, true},   {0, 199, true},    // where the rim meets the edges
    {199, 13, true},  {199, 14, false},  // along the outer edges, either side of the rim
    {13, 199, true},  {14, 199, false},
    {140, 140, true}, {141, 141, false}, // on the diagonal
    {120, 159, true}, {121, 159, false}, // centre within 0.1 px inside, then outside
    {159, 120, true}, {159, 121, false},
};
// clang-format on

class Quarter : public testing::TestWithParam<QuarterCase> {};

TEST_P(Quarter, IsAQuarterDiscOfRadius200AroundTheBoardCentre) {
    auto [name, right, bottom, colour] = GetParam();
    QImage image = picture(name);
    for (auto [u, v, in] : probes) {
        int x = right ? 199 - u : u;
        int y = bottom ? 199 - v : v;
        EXPECT_EQ(image.pixel(x, y) | 0xff000000, in ? colour : black) << "u=" << u << " v=" << v;
    }
}

TEST_P(Quarter, HasOnlyItsColourAndBlack) {
    EXPECT_EQ(coloursIn(picture(GetParam().name)), (std::set<QRgb>{black, GetParam().colour}));
}

INSTANTIATE_TEST_SUITE_P(All, Quarter, testing::ValuesIn(quarters),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(Face, SmileIsAYellowDiscWithBlackEyesAndARedUpturnedArc) {
    QImage face = picture("SMILE");
    EXPECT_EQ(coloursIn(face), (std::set<QRgb>{black, yellow, red}));
    EXPECT_EQ(face, face.mirrored(true, false));
    for (auto [x, y] : {std::pair{0, 0}, {399, 0}, {0, 399}, {399, 399}})
        EXPECT_EQ(face.pixel(x, y), black);
    EXPECT_EQ(face.pixel(200, 10), yellow);
    EXPECT_EQ(face.pixel(200, 200), yellow);
    // Eyes: black inside the disc, in the upper half, either side.
    EXPECT_EQ(face.pixel(140, 145), black);
    EXPECT_EQ(face.pixel(260, 145), black);
    // The arc is lowest in the middle: a smile, not a frown.
    auto lowestRed = [&](int x) {
        for (int y = 399; y >= 0; --y)
            if (face.pixel(x, y) == red) return y;
        return -1;
    };
    EXPECT_GT(lowestRed(200), 250);
    EXPECT_GT(lowestRed(200), lowestRed(110) + 20);
}

TEST(Face, BadIsABlueDiscWithWhiteEyesAndAStraightMouth) {
    QImage face = picture("BAD");
    EXPECT_EQ(coloursIn(face), (std::set<QRgb>{black, blue, white}));
    EXPECT_EQ(face, face.mirrored(true, false));
    EXPECT_EQ(face.pixel(0, 0), black);
    EXPECT_EQ(face.pixel(200, 10), blue);
    EXPECT_EQ(face.pixel(140, 145), white);
    EXPECT_EQ(face.pixel(260, 145), white);
    // Black inside the disc's lower part is the mouth: one wide, thin horizontal band.
    int top = 400, bottom = -1, left = 400, rightmost = -1;
    for (int y = 200; y < 340; ++y)
        for (int x = 100; x < 300; ++x)
            if (face.pixel(x, y) == black) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), rightmost = std::max(rightmost, x);
            }
    EXPECT_LT(bottom - top, 16);
    EXPECT_GT(rightmost - left, 100);
    for (int x = left; x <= rightmost; ++x)
        EXPECT_EQ(face.pixel(x, (top + bottom) / 2), black) << x;
}

}  // namespace
