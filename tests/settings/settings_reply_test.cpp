#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "settings/settings_reply.h"
#include "settings_test_support.h"

namespace {

using settings_test::BytePatch;
using settings_test::BytesWith;
using settings_test::FieldRef;

struct LayoutCase {
    BytePatch bytes;
    FieldRef field;
    int expected;
};

TEST(SettingsReplyDecode, EachFieldComesFromItsOffset) {
    const LayoutCase cases[] = {
        {{0, {0x07}}, SETTINGS_FIELD(DisplayUnit), 7},
        {{1, {0x06}}, SETTINGS_FIELD(TemperatureUnit), 6},
        {{2, {0x03}}, SETTINGS_FIELD(Alarm1Mode), 3},
        {{3, {0x04}}, SETTINGS_FIELD(Alarm2Mode), 4},
        {{6, {0xFF, 0xCE}}, SETTINGS_FIELD(Alarm1High), -50},
        {{6, {0x00, 0xE1}}, SETTINGS_FIELD(Alarm1High), 225},
        {{8, {0xA8}}, SETTINGS_FIELD(Alarm1HighExtra), 0xA8},
        {{9, {0x80, 0x00}}, SETTINGS_FIELD(Alarm1Low), -32768},
        {{11, {0xB1}}, SETTINGS_FIELD(Alarm1LowExtra), 0xB1},
        {{12, {0x7F, 0xFF}}, SETTINGS_FIELD(Alarm2High), 32767},
        {{15, {0x01, 0x02}}, SETTINGS_FIELD(Alarm2Low), 258},
        {{18, {0x04}}, SETTINGS_FIELD(Output1Type), 4},
        {{19, {0x05}}, SETTINGS_FIELD(Output2Type), 5},
        {{22, {0x03, 0xE8}}, SETTINGS_FIELD(Output1Min), 1000},
        {{24, {0xC4}}, SETTINGS_FIELD(Output1MinExtra), 0xC4},
        {{25, {0xFC, 0x18}}, SETTINGS_FIELD(Output1Max), -1000},
        {{27, {0xD7}}, SETTINGS_FIELD(Output1MaxExtra), 0xD7},
        {{28, {0x00, 0x01}}, SETTINGS_FIELD(Output2Min), 1},
        {{31, {0x01, 0x00}}, SETTINGS_FIELD(Output2Max), 256},
        {{34, {0xFF, 0xFF}}, SETTINGS_FIELD(CleaningInterval), -1},
        {{40, {0x03}}, SETTINGS_FIELD(Buzzer), 3},
        {{41, {0x01}}, SETTINGS_FIELD(LoggerMode), 1},
        {{42, {0x0C}}, SETTINGS_FIELD(RecordInterval), 12},
        {{43, {0x09}}, SETTINGS_FIELD(RecordIntervalAl1), 9},
        {{44, {0x0B}}, SETTINGS_FIELD(RecordIntervalAl2), 11},
        {{45, {0x08, 0xCA}}, SETTINGS_FIELD(ManualTemperature), 2250},
        {{47, {0x00, 0x64}}, SETTINGS_FIELD(Pressure), 100},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.field.name << " at " << c.bytes.offset);
        const auto reply = BytesWith({c.bytes}, kSettingsReplyLength);
        EXPECT_EQ(c.field.get(DecodeSettingsReply(reply)), c.expected);
    }
}

TEST(SettingsReplyDecode, BytesOutsideTheFieldsChangeNothing) {
    const std::size_t ignored[] = {4, 5, 14, 17, 20, 21, 30, 33, 36, 37, 38, 39, 49, 50, 511};
    const InstrumentSettings zero{};
    for (std::size_t offset : ignored) {
        SCOPED_TRACE(testing::Message() << "offset " << offset);
        const auto reply = BytesWith({{offset, {0xFF}}}, 512);
        EXPECT_EQ(DecodeSettingsReply(reply), zero);
    }
}

struct ShortCase {
    std::size_t received;
    FieldRef field;
    int expected;
};

// What arrived is decoded, what did not is zero, even when the buffer behind holds bytes.
TEST(SettingsReplyDecode, MissingBytesAreZero) {
    const ShortCase cases[] = {
        {0, SETTINGS_FIELD(DisplayUnit), 0},     {1, SETTINGS_FIELD(DisplayUnit), 0x7F},
        {1, SETTINGS_FIELD(TemperatureUnit), 0}, {6, SETTINGS_FIELD(Alarm1High), 0},
        {7, SETTINGS_FIELD(Alarm1High), 0x7F00}, {8, SETTINGS_FIELD(Alarm1High), 0x7F7F},
        {48, SETTINGS_FIELD(Pressure), 0x7F00},  {48, SETTINGS_FIELD(ManualTemperature), 0x7F7F},
        {49, SETTINGS_FIELD(Pressure), 0x7F7F},
    };
    const std::vector<std::uint8_t> buffer(512, 0x7F);
    for (const ShortCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.field.name << " from " << c.received << " bytes");
        const auto reply = std::span(buffer).first(c.received);
        EXPECT_EQ(c.field.get(DecodeSettingsReply(reply)), c.expected);
    }
}

TEST(SettingsReplyDecode, ShortOrMissingReplyIsReported) {
    const struct {
        std::size_t received;
        SettingsReplyStatus expected;
    } cases[] = {
        {0, SettingsReplyStatus::Missing},   {1, SettingsReplyStatus::Short},
        {7, SettingsReplyStatus::Short},     {48, SettingsReplyStatus::Short},
        {49, SettingsReplyStatus::Complete}, {512, SettingsReplyStatus::Complete},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.received << " bytes");
        EXPECT_EQ(ClassifySettingsReply(c.received), c.expected);
    }
}

}  // namespace
