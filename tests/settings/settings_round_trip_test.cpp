#include <gtest/gtest.h>

#include <cstdint>
#include <variant>
#include <vector>

#include "settings/settings_frame.h"
#include "settings/settings_reply.h"
#include "settings/settings_tab.h"
#include "settings_test_support.h"

namespace {

using settings_test::BytePatch;
using settings_test::BytesWith;
using settings_test::Locale;
using settings_test::LocaleName;
using settings_test::MakeLocale;

// Reply bytes the instrument sends but the settings do not hold.
constexpr std::uint8_t kUnread = 0xEE;

bool IsUnread(std::size_t replyOffset) {
    for (std::size_t offset : {4, 5, 14, 17, 20, 21, 30, 33, 36, 37, 38, 39}) {
        if (offset == replyOffset) {
            return true;
        }
    }
    return false;
}

std::vector<std::uint8_t> Reply(const std::vector<BytePatch>& values) {
    std::vector<std::uint8_t> reply = BytesWith(values, kSettingsReplyLength);
    for (std::size_t i = 0; i < reply.size(); ++i) {
        if (IsUnread(i)) {
            reply[i] = kUnread;
        }
    }
    return reply;
}

struct RoundTripCase {
    const char* name;
    std::vector<std::uint8_t> reply;
    Locale locale;
};

// Read, shown, saved unchanged and written: every value the instrument sent goes back.
TEST(SettingsRoundTrip, SavedTabWritesBackWhatWasRead) {
    const std::vector<BytePatch> ordinary = {
        {0, {3, 6, 5, 6}},
        {6, {0x00, 0xE1, 0x11}},
        {9, {0xFF, 0xCE, 0x22}},
        {12, {0x01, 0x23}},
        {15, {0xFE, 0x0C}},
        {18, {4, 0}},
        {22, {0x00, 0x07, 0x33}},
        {25, {0x27, 0x10, 0x44}},
        {28, {0xFF, 0xFF}},
        {31, {0x7F, 0xFF}},
        {34, {0x01, 0x2C}},
        {40, {3, 1, 12, 7, 0}},
        {45, {0x08, 0xCA, 0x00, 0x64}},
    };
    const std::vector<BytePatch> extremes = {
        {0, {8, 5, 0, 0}},
        {6, {0x80, 0x00, 0x00}},
        {9, {0x7F, 0xFF, 0xFF}},
        {12, {0x80, 0x01}},
        {15, {0xFF, 0xFB}},
        {18, {0, 4}},
        {22, {0x80, 0x00, 0x80}},
        {25, {0x7F, 0xFF, 0x01}},
        {28, {0x00, 0x00}},
        {31, {0x80, 0x00}},
        {34, {0x80, 0x00}},
        {40, {0, 0, 0, 12, 1}},
        {45, {0x80, 0x00, 0x7F, 0xFF}},
    };
    const RoundTripCase cases[] = {
        {"ordinary", Reply(ordinary), Locale::C},
        {"ordinary", Reply(ordinary), Locale::Polish},
        {"extremes", Reply(extremes), Locale::C},
        {"extremes", Reply(extremes), Locale::Polish},
    };
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " in " << LocaleName(c.locale));
        const QLocale locale = MakeLocale(c.locale);
        const InstrumentSettings read = DecodeSettingsReply(c.reply);
        const SaveResult saved = TabToSettings(SettingsToTab(read, locale), read, locale);
        const auto* settings = std::get_if<InstrumentSettings>(&saved);
        ASSERT_NE(settings, nullptr) << std::get<SaveError>(saved).message.toStdString();
        const SettingsFrame frame = EncodeSettingsFrame(*settings);
        const auto& r = c.reply;

        EXPECT_EQ(frame[3], static_cast<std::uint8_t>(r[0] + 30));
        EXPECT_EQ(frame[4], static_cast<std::uint8_t>(r[1] + 30));
        EXPECT_EQ(frame[7], r[0]);
        EXPECT_EQ(frame[8], r[1]);
        for (std::size_t offset = 2; offset <= 35; ++offset) {
            if (!IsUnread(offset)) {
                SCOPED_TRACE(testing::Message() << "reply offset " << offset);
                EXPECT_EQ(frame[offset + 3], r[offset]);
            }
        }
        for (std::size_t offset = 40; offset <= 48; ++offset) {
            SCOPED_TRACE(testing::Message() << "reply offset " << offset);
            EXPECT_EQ(frame[offset - 1], r[offset]);
        }
    }
}

}  // namespace
