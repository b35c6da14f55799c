// The settings read and write as exchanges on a port: what goes out on the wire, what is
// made of the answer, and what the buffers hold afterwards. The test plays the instrument
// on a bare pseudo-terminal; answers are queued before the exchange reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/link_on_pty.h"
#include "settings/settings_exchange.h"
#include "settings/settings_frame.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

class SettingsExchangeTest : public LinkOnPtyTest {
  protected:
    // The exchange gives the instrument its time before reading, so an answer written
    // now is what that read finds.
    void Answer(const std::optional<std::vector<std::uint8_t>>& answer) {
        if (answer) {
            pty.Write(*answer);
        }
    }
};

InstrumentSettings Distinctive() {
    InstrumentSettings s;
    s.DisplayUnit = 7;
    s.TemperatureUnit = 6;
    s.Alarm1Mode = 5;
    s.Alarm2Mode = 3;
    s.Output1Type = 4;
    s.Alarm1HighExtra = 0xA1;
    s.Alarm1LowExtra = 0xB2;
    s.Output1MinExtra = 0xC3;
    s.Output1MaxExtra = 0x00;  // a zero byte inside the frame must go out too
    s.Buzzer = 2;
    s.LoggerMode = 1;
    s.RecordInterval = 12;
    s.RecordIntervalAl1 = 9;
    s.RecordIntervalAl2 = 4;
    s.Alarm1High = -50;
    s.Alarm1Low = 225;
    s.Alarm2High = 32767;
    s.Alarm2Low = -32768;
    s.Output1Min = -400;
    s.Output1Max = 600;
    s.Output2Min = 1;
    s.Output2Max = 1000;
    s.CleaningInterval = 300;
    s.ManualTemperature = -1234;
    s.Pressure = 3125;
    return s;
}

struct WriteCase {
    const char* name;
    std::optional<std::vector<std::uint8_t>> answer;
    bool acknowledged;
};

TEST_F(SettingsExchangeTest, WriteSendsTheWholeFrameAndAcceptsOnlyExactlyOk) {
    const WriteCase cases[] = {
        {"OK", Bytes("OK"), true},
        {"OK then a zero byte", Bytes(std::string("OK\0\x55", 4)), true},
        {"OK!", Bytes("OK!"), false},
        {"lower case", Bytes("ok"), false},
        {"no answer", std::nullopt, false},
        {"only O", Bytes("O"), false},
    };
    const InstrumentSettings settings = Distinctive();
    // "01m", the unit codes plus 30, the modes, the unit codes, then every value high byte
    // first with the letters k and j where the instrument keeps them, and "end".
    const std::vector<std::uint8_t> expectedFrame = {
        0x30, 0x31, 0x6D, 0x25, 0x24, 0x05, 0x03, 0x07, 0x06,  // 01m, units + 30, modes, units
        0xFF, 0xCE, 0xA1, 0x00, 0xE1, 0xB2,                    // alarm 1: -50, 225, extras
        0x7F, 0xFF, 0x6B, 0x80, 0x00, 0x6B,                    // alarm 2: 32767 k, -32768 k
        0x04, 0x00, 0x6A, 0x6A,                                // output types, j j
        0xFE, 0x70, 0xC3, 0x02, 0x58, 0x00,                    // output 1: -400, 600, extras
        0x00, 0x01, 0x6B, 0x03, 0xE8, 0x6B,                    // output 2: 1 k, 1000 k
        0x01, 0x2C, 0x02, 0x01, 0x0C, 0x09, 0x04,              // cleaning 300, buzzer .. al2
        0xFB, 0x2E, 0x0C, 0x35, 0x65, 0x6E, 0x64};             // -1234, 3125, end
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto ex = link.BeginExchange();
        ex.CommandBuffer().fill(0xEE);
        // A stale "OK" from an earlier write must not count for this one.
        std::copy_n("OK", 3, ex.ReplyBuffer().begin());
        Answer(c.answer);

        EXPECT_EQ(WriteInstrumentSettings(ex, settings).acknowledged, c.acknowledged);

        EXPECT_EQ(pty.ReadAll(), expectedFrame);
        const auto& command = ex.CommandBuffer();
        EXPECT_TRUE(std::all_of(command.begin(), command.begin() + kSettingsFrameClearLength,
                                [](std::uint8_t b) { return b == 0; }));
        if (c.answer) {
            EXPECT_TRUE(std::equal(c.answer->begin(), c.answer->end(), ex.ReplyBuffer().begin()))
                << "the answer stays in the reply buffer";
        }
    }
}

TEST(SettingsExchangeWithoutPort, WriteIsNotAcknowledgedAndStillClearsTheFrame) {
    InstrumentLink link;
    auto ex = link.BeginExchange();
    ex.CommandBuffer().fill(0xEE);
    std::copy_n("OK", 3, ex.ReplyBuffer().begin());
    EXPECT_FALSE(WriteInstrumentSettings(ex, Distinctive()).acknowledged);
    const auto& command = ex.CommandBuffer();
    EXPECT_TRUE(std::all_of(command.begin(), command.begin() + kSettingsFrameClearLength,
                            [](std::uint8_t b) { return b == 0; }));
}

struct ReadCase {
    const char* name;
    std::optional<std::vector<std::uint8_t>> answer;
    SettingsReplyStatus status;
    std::size_t received;
    InstrumentSettings settings;
};

// Pattern(49) read by the reply's layout: byte i is 0x40 + 7i, words high byte first.
constexpr InstrumentSettings kPatternSettings = {.DisplayUnit = 0x40,
                                                 .TemperatureUnit = 0x47,
                                                 .Alarm1Mode = 0x4E,
                                                 .Alarm2Mode = 0x55,
                                                 .Output1Type = 0xBE,
                                                 .Output2Type = 0xC5,
                                                 .Alarm1HighExtra = 0x78,
                                                 .Alarm1LowExtra = 0x8D,
                                                 .Output1MinExtra = 0xE8,
                                                 .Output1MaxExtra = 0xFD,
                                                 .Buzzer = 0x58,
                                                 .LoggerMode = 0x5F,
                                                 .RecordInterval = 0x66,
                                                 .RecordIntervalAl1 = 0x6D,
                                                 .RecordIntervalAl2 = 0x74,
                                                 .Alarm1High = 27249,
                                                 .Alarm1Low = 32646,
                                                 .Alarm2High = -27493,
                                                 .Alarm2Low = -22096,
                                                 .Output1Min = -9503,
                                                 .Output1Max = -4106,
                                                 .Output2Min = 1035,
                                                 .Output2Max = 6432,
                                                 .CleaningInterval = 11829,
                                                 .ManualTemperature = 31618,
                                                 .Pressure = -30320};

// Pattern(30): what lies at offset 30 and behind it reads as zero.
constexpr InstrumentSettings kShortPatternSettings = {.DisplayUnit = 0x40,
                                                      .TemperatureUnit = 0x47,
                                                      .Alarm1Mode = 0x4E,
                                                      .Alarm2Mode = 0x55,
                                                      .Output1Type = 0xBE,
                                                      .Output2Type = 0xC5,
                                                      .Alarm1HighExtra = 0x78,
                                                      .Alarm1LowExtra = 0x8D,
                                                      .Output1MinExtra = 0xE8,
                                                      .Output1MaxExtra = 0xFD,
                                                      .Alarm1High = 27249,
                                                      .Alarm1Low = 32646,
                                                      .Alarm2High = -27493,
                                                      .Alarm2Low = -22096,
                                                      .Output1Min = -9503,
                                                      .Output1Max = -4106,
                                                      .Output2Min = 1035};

std::vector<std::uint8_t> Pattern(std::size_t length) {
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(0x40 + i * 7);
    }
    return bytes;
}

TEST_F(SettingsExchangeTest, ReadAsksOnceDecodesWhatArrivedAndClearsTheReplyBuffer) {
    const ReadCase cases[] = {
        {"whole reply", Pattern(kSettingsReplyLength), SettingsReplyStatus::Complete, 49,
         kPatternSettings},
        {"longer reply", Pattern(60), SettingsReplyStatus::Complete, 60, kPatternSettings},
        {"short reply", Pattern(30), SettingsReplyStatus::Short, 30, kShortPatternSettings},
        {"no reply", std::nullopt, SettingsReplyStatus::Missing, 0, InstrumentSettings{}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto ex = link.BeginExchange();
        // Stale bytes of an earlier exchange must not be taken for the missing ones.
        ex.ReplyBuffer().fill(0x5A);
        Answer(c.answer);

        const SettingsReadResult result = ReadSettingsExchange(ex);

        EXPECT_EQ(pty.ReadAll(), Bytes("01s?end"));
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.received, c.received);
        EXPECT_EQ(result.settings, c.settings);
        EXPECT_TRUE(std::all_of(ex.ReplyBuffer().begin(), ex.ReplyBuffer().end(),
                                [](std::uint8_t b) { return b == 0; }));
    }
}

TEST(SettingsExchangeWithoutPort, ReadFindsNothing) {
    InstrumentLink link;
    auto ex = link.BeginExchange();
    ex.ReplyBuffer().fill(0x5A);
    const SettingsReadResult result = ReadSettingsExchange(ex);
    EXPECT_EQ(result.status, SettingsReplyStatus::Missing);
    EXPECT_EQ(result.received, 0u);
    EXPECT_EQ(result.settings, InstrumentSettings{});
}

}  // namespace
