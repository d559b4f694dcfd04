#include <gtest/gtest.h>

#include <QResource>
#include <string>

#include "media/embedded.h"

namespace {

struct Lookup {
    const char* asked;
    const char* stored;
};

void PrintTo(const Lookup& c, std::ostream* os) { *os << '"' << c.asked << '"'; }

// The names as the game asks for them, then other spellings of a few.
const Lookup lookups[] = {
    {"START", "START"},
    {"RED", "RED"},
    {"BLUE", "BLUE"},
    {"YELLOW", "YELLOW"},
    {"GREEN", "GREEN"},
    {"atari", "ATARI"},
    {"hazure", "HAZURE"},
    {"smile", "SMILE"},
    {"bad", "BAD"},
    {"quauter1", "QUAUTER1"},
    {"quauter11", "QUAUTER11"},
    {"quauter2", "QUAUTER2"},
    {"quauter22", "QUAUTER22"},
    {"quauter3", "QUAUTER3"},
    {"quauter33", "QUAUTER33"},
    {"quauter4", "QUAUTER4"},
    {"quauter44", "QUAUTER44"},
    {"start", "START"},
    {"Red", "RED"},
    {"ATARI", "ATARI"},
    {"qUaUtEr44", "QUAUTER44"},
};

class Find : public testing::TestWithParam<Lookup> {};

TEST_P(Find, IgnoresCaseAndGivesTheStoredBytesInPlace) {
    auto [asked, stored] = GetParam();
    media::Item item = media::embedded().find(asked);
    EXPECT_EQ(item.name, stored);
    QResource resource(QString(":/media/") + stored);
    ASSERT_TRUE(resource.isValid());
    EXPECT_EQ(static_cast<const void*>(item.bytes.data()),
              static_cast<const void*>(resource.data()));
    EXPECT_EQ(item.bytes.size(), std::size_t(resource.size()));
}

INSTANTIATE_TEST_SUITE_P(All, Find, testing::ValuesIn(lookups),
                         [](const auto& p) { return std::string(p.param.asked); });

struct Missing {
    const char* asked;
    const char* message;
};

const Missing missing[] = {
    {"quauter9", "quauter9 リソースが見つかりません"},
    {"QUAUTER", "QUAUTER リソースが見つかりません"},
    {"quauter111", "quauter111 リソースが見つかりません"},
    {"start ", "start  リソースが見つかりません"},
    {"quauter11.bmp", "quauter11.bmp リソースが見つかりません"},
    {"MAINICON", "MAINICON リソースが見つかりません"},
    {"", " リソースが見つかりません"},
};

TEST(Find, UnknownNameRaisesNotFoundWithTheAskedName) {
    for (auto [asked, message] : missing) {
        try {
            media::embedded().find(asked);
            ADD_FAILURE() << "found " << asked;
        } catch (const media::NotFound& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

}  // namespace
