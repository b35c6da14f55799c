// One logger record over a bare pseudo-terminal: the bytes on the wire and what is decoded.
#include "logger/logger_request.h"
#include "example_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/link_on_pty.h"
#include "link/instrument_link.h"

using namespace std::chrono_literals;

namespace {

// The protocol's wait in these exchanges: the instrument's bytes are queued on the port
// before each request (the test waits until they are), so any wait finds them.
constexpr auto kWait = 1ms;

class LoggerRequestTest : public LinkOnPtyTest {
  protected:
    // Leaves ReplyBuffer and CommandBuffer full of 0xEE, as stale bytes of an earlier
    // exchange would.
    void FillBuffersWithStaleBytes() {
        pty.Write(std::vector<std::uint8_t>(kReplyBufferSize, 0xEE));
        ASSERT_TRUE(pty.WaitUnread(kReplyBufferSize));
        auto ex = link.BeginExchange();
        ASSERT_TRUE(ex.ReadReply());
        ASSERT_EQ(ex.ReplyBuffer()[kReplyBufferSize - 1], 0xEE);
        ex.CommandBuffer().fill(0xEE);
    }
};

struct RequestCase {
    const char* name;
    std::uint8_t number;
    std::vector<std::uint8_t> reply;  // what the instrument has sent when the wait ends
    std::vector<std::uint8_t> sent;
    LoggerRecord expected;
};

TEST_F(LoggerRequestTest, SendsEightBytesAndDecodesTheReplyWithMissingBytesAsZero) {
    const RequestCase cases[] = {
        {"record 0, full reply",
         0,
         kExampleRecordBytes,
         {0x30, 0x31, 0x72, 0x00, 0x3F, 0x65, 0x6E, 0x64},
         kExampleRecord},
        {"record 255, three bytes",
         255,
         {0xFF, 0x9C, 0xFD},
         {0x30, 0x31, 0x72, 0xFF, 0x3F, 0x65, 0x6E, 0x64},
         {.Humidity = -100, .Temperature = -768}},
        {"record 7, silent", 7, {}, {0x30, 0x31, 0x72, 0x07, 0x3F, 0x65, 0x6E, 0x64}, {}},
        {"record 1, longer reply",
         1,
         {0, 1, 0, 2, 3, 0, 0, 0, 0, 4, 1, 0x55, 0x55, 0x55},
         {0x30, 0x31, 0x72, 0x01, 0x3F, 0x65, 0x6E, 0x64},
         {.Humidity = 1, .Temperature = 2, .Status = 3, .ObjectId = 4, .RecordNumber = 1}},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.name);
        FillBuffersWithStaleBytes();
        pty.Write(c.reply);
        ASSERT_TRUE(pty.WaitUnread(c.reply.size()));

        const LoggerRequestResult got = RequestLoggerRecord(link, c.number, kWait);

        EXPECT_FALSE(got.portGone);
        EXPECT_FALSE(got.interrupted);
        EXPECT_EQ(got.record, c.expected);
        EXPECT_EQ(pty.ReadAtLeast(c.sent.size()), c.sent);
        // Left zeroed for the next poll, which reads its own reply over it.
        const ReplyBytes& reply = link.BeginExchange().ReplyBuffer();
        EXPECT_TRUE(std::all_of(reply.begin(), reply.end(), [](std::uint8_t b) { return b == 0; }));
    }
}

TEST_F(LoggerRequestTest, PortThatHungUpIsReportedAndNothingIsDecoded) {
    pty.Write({0x11, 0xA0, 0xFD});
    pty.CloseMaster();
    const LoggerRequestResult got = RequestLoggerRecord(link, 3, kWait);
    EXPECT_TRUE(got.portGone);
    EXPECT_EQ(got.record, LoggerRecord{});
    EXPECT_FALSE(link.PortIsOpen());
}

TEST(LoggerRequest, WithoutAPortNothingIsWaitedFor) {
    InstrumentLink link;
    const LoggerRequestResult got = RequestLoggerRecord(link, 0, std::chrono::hours(1));
    EXPECT_TRUE(got.portGone);
    EXPECT_FALSE(got.interrupted);
}

TEST_F(LoggerRequestTest, ShutdownEndsTheWaitWithoutReading) {
    pty.Write({0x11, 0xA0});
    link.Shutdown();
    const LoggerRequestResult got = RequestLoggerRecord(link, 9, std::chrono::hours(1));
    EXPECT_TRUE(got.interrupted);
    EXPECT_EQ(got.record, LoggerRecord{});
}

}  // namespace
