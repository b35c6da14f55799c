#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/settings_frame.h"

namespace {

struct FrameByte {
    std::size_t offset;
    std::uint8_t value;
};

struct FrameCase {
    const char* name;
    InstrumentSettings settings;
    std::vector<FrameByte> expected;
};

InstrumentSettings AllBytesFF() {
    InstrumentSettings s;
    s.DisplayUnit = s.TemperatureUnit = s.Alarm1Mode = s.Alarm2Mode = 0xFF;
    s.Output1Type = s.Output2Type = s.Buzzer = s.LoggerMode = 0xFF;
    s.RecordInterval = s.RecordIntervalAl1 = s.RecordIntervalAl2 = 0xFF;
    s.Alarm1HighExtra = s.Alarm1LowExtra = s.Output1MinExtra = s.Output1MaxExtra = 0xFF;
    s.Alarm1High = s.Alarm1Low = s.Alarm2High = s.Alarm2Low = -1;
    s.Output1Min = s.Output1Max = s.Output2Min = s.Output2Max = -1;
    s.CleaningInterval = s.ManualTemperature = s.Pressure = -1;
    return s;
}

// The fixed bytes: "01m", the letters in the value area and "end".
std::vector<FrameByte> FixedBytes() {
    return {{0, '0'},  {1, '1'},  {2, 'm'},  {17, 'k'}, {20, 'k'}, {23, 'j'},
            {24, 'j'}, {33, 'k'}, {36, 'k'}, {48, 'e'}, {49, 'n'}, {50, 'd'}};
}

TEST(SettingsFrameEncode, LaysOutEachValueAtItsOffset) {
    const FrameCase cases[] = {
        {"units and modes",
         {.DisplayUnit = 0, .TemperatureUnit = 5, .Alarm1Mode = 1, .Alarm2Mode = 2},
         {{3, 30}, {4, 35}, {5, 1}, {6, 2}, {7, 0}, {8, 5}}},
        {"unit code wraps at head",
         {.DisplayUnit = 255, .TemperatureUnit = 230},
         {{3, 29}, {4, 4}, {7, 255}, {8, 230}}},
        {"Alarm1High", {.Alarm1High = -50}, {{9, 0xFF}, {10, 0xCE}}},
        {"Alarm1Low", {.Alarm1Low = 0x1234}, {{12, 0x12}, {13, 0x34}}},
        {"Alarm2High", {.Alarm2High = -32768}, {{15, 0x80}, {16, 0x00}}},
        {"Alarm2Low", {.Alarm2Low = 32767}, {{18, 0x7F}, {19, 0xFF}}},
        {"output types", {.Output1Type = 4, .Output2Type = 0}, {{21, 4}, {22, 0}}},
        {"Output1Min", {.Output1Min = 0x0102}, {{25, 0x01}, {26, 0x02}}},
        {"Output1Max", {.Output1Max = 0x0304}, {{28, 0x03}, {29, 0x04}}},
        {"Output2Min", {.Output2Min = 0x0506}, {{31, 0x05}, {32, 0x06}}},
        {"Output2Max", {.Output2Max = 0x0708}, {{34, 0x07}, {35, 0x08}}},
        {"CleaningInterval", {.CleaningInterval = 300}, {{37, 0x01}, {38, 0x2C}}},
        {"buzzer and logger",
         {.Buzzer = 3,
          .LoggerMode = 1,
          .RecordInterval = 12,
          .RecordIntervalAl1 = 9,
          .RecordIntervalAl2 = 7},
         {{39, 3}, {40, 1}, {41, 12}, {42, 9}, {43, 7}}},
        {"ManualTemperature", {.ManualTemperature = -50}, {{44, 0xFF}, {45, 0xCE}}},
        {"Pressure", {.Pressure = 100}, {{46, 0x00}, {47, 0x64}}},
        {"extra bytes",
         {.Alarm1HighExtra = 0x11,
          .Alarm1LowExtra = 0x22,
          .Output1MinExtra = 0x33,
          .Output1MaxExtra = 0x44},
         {{11, 0x11}, {14, 0x22}, {27, 0x33}, {30, 0x44}}},
        {"fixed bytes, settings zero", {}, FixedBytes()},
        {"fixed bytes, settings all ones", AllBytesFF(), FixedBytes()},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsFrame frame = EncodeSettingsFrame(c.settings);
        for (const FrameByte& b : c.expected) {
            SCOPED_TRACE(testing::Message() << "offset " << b.offset);
            EXPECT_EQ(frame[b.offset], b.value);
        }
    }
}

struct AckCase {
    const char* name;
    std::string bytes;
    std::size_t spanLength;
    std::size_t received;
    bool expected;
};

TEST(SettingsFrameAck, OnlyExactlyOkCounts) {
    const AckCase cases[] = {
        {"OK", "OK", 2, 2, true},
        {"OK!", "OK!", 3, 3, false},
        {"lower case", "ok", 2, 2, false},
        {"nothing", "", 0, 0, false},
        {"zero then garbage", std::string("OK\0garbage", 10), 10, 10, true},
        {"zero first", std::string("\0OK", 3), 3, 3, false},
        {"only O arrived", "OK", 2, 1, false},
        {"bytes behind the count", "OKX", 3, 2, true},
        {"count beyond the span", "OK!", 2, 512, true},
        {"512 bytes without zero", std::string(512, 'K'), 512, 512, false},
    };
    for (const AckCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> buffer(c.bytes.begin(), c.bytes.end());
        const auto reply = std::span(buffer).first(c.spanLength);
        EXPECT_EQ(IsSettingsAcknowledged(reply, c.received), c.expected);
    }
}

}  // namespace
