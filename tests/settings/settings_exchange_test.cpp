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
    const SettingsFrame expectedFrame = EncodeSettingsFrame(settings);
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto ex = link.BeginExchange();
        ex.CommandBuffer().fill(0xEE);
        // A stale "OK" from an earlier write must not count for this one.
        std::copy_n("OK", 3, ex.ReplyBuffer().begin());
        Answer(c.answer);

        EXPECT_EQ(WriteInstrumentSettings(ex, settings).acknowledged, c.acknowledged);

        EXPECT_EQ(pty.ReadAll(),
                  std::vector<std::uint8_t>(expectedFrame.begin(), expectedFrame.end()));
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
};

std::vector<std::uint8_t> Pattern(std::size_t length) {
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(0x40 + i * 7);
    }
    return bytes;
}

TEST_F(SettingsExchangeTest, ReadAsksOnceDecodesWhatArrivedAndClearsTheReplyBuffer) {
    const ReadCase cases[] = {
        {"whole reply", Pattern(kSettingsReplyLength), SettingsReplyStatus::Complete, 49},
        {"longer reply", Pattern(60), SettingsReplyStatus::Complete, 60},
        {"short reply", Pattern(30), SettingsReplyStatus::Short, 30},
        {"no reply", std::nullopt, SettingsReplyStatus::Missing, 0},
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
        const std::vector<std::uint8_t> arrived = c.answer.value_or(std::vector<std::uint8_t>{});
        EXPECT_EQ(result.settings, DecodeSettingsReply(arrived));
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
