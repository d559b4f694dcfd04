#include <gtest/gtest.h>

#include <QImage>
#include <QResource>
#include <string>

#include "le.h"
#include "media/embedded.h"
#include "media/items.h"
#include "media/picture.h"
#include "media/version.h"

namespace {

std::span<const std::uint8_t> resource(const QString& path) {
    QResource r(path);
    EXPECT_TRUE(r.isValid()) << path.toStdString();
    EXPECT_EQ(r.compressionAlgorithm(), QResource::NoCompression) << path.toStdString();
    return {reinterpret_cast<const std::uint8_t*>(r.data()), std::size_t(r.size())};
}

TEST(Resources, HoldExactlyWhatTheGeneratorMakes) {
    for (const auto& file : media::generatedFiles()) {
        auto embedded = resource(QString::fromStdString(":" + file.path));
        EXPECT_TRUE(std::ranges::equal(embedded, file.bytes)) << file.path;
    }
}

struct FormCase {
    const char* path;
    const char* item;
};

void PrintTo(const FormCase& c, std::ostream* os) { *os << c.path; }

const FormCase forms[] = {
    {":/form/quauter11.bmp", "QUAUTER11"},
    {":/form/quauter22.bmp", "QUAUTER22"},
    {":/form/quauter33.bmp", "QUAUTER33"},
    {":/form/quauter44.bmp", "QUAUTER44"},
};

class FormBitmap : public testing::TestWithParam<FormCase> {};

TEST_P(FormBitmap, IsTheNormalQuarterAsACompleteFile) {
    auto [path, item] = GetParam();
    auto file = resource(path);
    auto dib = media::embedded().find(item).bytes;
    ASSERT_EQ(file.size(), 41078u);
    EXPECT_EQ(tag(file, 0, 2), "BM");
    EXPECT_EQ(u32(file, 2), 41078u);
    EXPECT_EQ(u32(file, 6), 0u);
    EXPECT_EQ(u32(file, 10), 14u + 40u + 1024u);
    EXPECT_TRUE(std::ranges::equal(file.subspan(14), dib));

    QImage loaded(path);
    ASSERT_FALSE(loaded.isNull());
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32),
              media::decodePicture(dib).convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(All, FormBitmap, testing::ValuesIn(forms),
                         [](const auto& p) { return std::string(p.param.item); });

TEST(Icon, IsOne32By32SixteenColourImage) {
    auto b = resource(":/icon/MAINICON.ico");
    ASSERT_GE(b.size(), 22u + 40u);
    EXPECT_EQ(u16(b, 0), 0u);
    EXPECT_EQ(u16(b, 2), 1u);  // icon
    EXPECT_EQ(u16(b, 4), 1u);  // one image
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(b[8], 16);
    EXPECT_EQ(u16(b, 12), 4u);
    EXPECT_EQ(u32(b, 14), b.size() - 22);
    EXPECT_EQ(u32(b, 18), 22u);
    EXPECT_EQ(s32(b, 22 + 8), 64);  // colour rows and mask rows
    EXPECT_EQ(u16(b, 22 + 14), 4u);

    QImage icon(":/icon/MAINICON.ico");
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_NE(icon.pixel(16, 16) & 0xffffff, 0u);
}

TEST(Picture, GarbageDecodesToANullImage) {
    const std::uint8_t junk[] = {1, 2, 3};
    EXPECT_TRUE(media::decodePicture(junk).isNull());
    EXPECT_TRUE(media::decodePicture({}).isNull());
}

TEST(Version, IsOnePointZero) { EXPECT_STREQ(media::version, "1.0.0.0"); }

}  // namespace
