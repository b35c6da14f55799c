// The link's byte semantics through the system's real serial code: on Linux termios on a
// pseudo-terminal, on Windows the communications functions on a COM port under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <thread>

#ifdef __linux__
#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#endif

#include "link/instrument_protocol.h"
#include "link_fixture.h"

using namespace std::chrono_literals;

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

TEST_F(LinkTest, SendsByCountWithZeroBytesAndTextUpToTheFirstZero) {
    auto ex = link.BeginExchange();
    auto& cmd = ex.CommandBuffer();
    std::iota(cmd.begin(), cmd.end(), std::uint8_t{0});  // byte 0 is zero, bytes 10, 13, 17, 19 too
    ASSERT_EQ(ex.SendCount(kSettingsFrameSize), SendOutcome::Sent);
    EXPECT_EQ(peer->TakeReceived(kSettingsFrameSize),
              std::vector<std::uint8_t>(cmd.begin(), cmd.begin() + kSettingsFrameSize));

    ex.PutTextCommand("01t?end");
    ASSERT_EQ(ex.SendTextCommand(), SendOutcome::Sent);
    EXPECT_EQ(peer->TakeReceived(7), Bytes({'0', '1', 't', '?', 'e', 'n', 'd'}));
}

TEST_F(LinkTest, LoggerRequestForRecordZeroSendsAllEightBytes) {
    auto ex = link.BeginExchange();
    ex.ClearBuffers();
    ex.PutTextCommand("01ra?end");
    ex.CommandBuffer()[3] = 0;
    ASSERT_EQ(ex.SendCount(kLoggerRequestSize), SendOutcome::Sent);
    EXPECT_EQ(peer->TakeReceived(8), Bytes({0x30, 0x31, 0x72, 0x00, 0x3F, 0x65, 0x6E, 0x64}));
}

TEST_F(LinkTest, EveryByteValuePassesUntranslatedBothWays) {
    std::vector<std::uint8_t> all(256);
    std::iota(all.begin(), all.end(), std::uint8_t{0});
    peer->Send(all);
    SettleLine(all.size());
    auto ex = link.BeginExchange();
    ASSERT_TRUE(ex.ReadReply());
    EXPECT_TRUE(std::equal(all.begin(), all.end(), ex.ReplyBuffer().begin()));

    // CR, LF, XON/XOFF, interrupt and end-of-file characters go out as they are.
    auto& cmd = ex.CommandBuffer();
    const auto controls = Bytes({0x0D, 0x0A, 0x11, 0x13, 0x03, 0x04, 0x1A, 0x7F, 0xFF, 0x00});
    std::copy(controls.begin(), controls.end(), cmd.begin());
    ASSERT_EQ(ex.SendCount(controls.size()), SendOutcome::Sent);
    EXPECT_EQ(peer->TakeReceived(controls.size()), controls);
}

TEST_F(LinkTest, ReplyOverBufferSizeIsSplitAcrossReadsAndShortReplyKeepsOldTail) {
    std::vector<std::uint8_t> longReply(700);
    for (std::size_t i = 0; i < longReply.size(); ++i)
        longReply[i] = static_cast<std::uint8_t>(i % 251 + 1);
    peer->Send(longReply);
    SettleLine(longReply.size());
    auto ex = link.BeginExchange();
    ASSERT_TRUE(ex.ReadReply(kReplyBufferSize));
    EXPECT_EQ(ex.LastReadCount(), 512u);
    EXPECT_TRUE(std::equal(longReply.begin(), longReply.begin() + 512, ex.ReplyBuffer().begin()));

    // The 188 bytes that did not fit are the next read's reply; the buffer behind them
    // still holds the first read's bytes.
    ASSERT_TRUE(ex.ReadReply(kReplyBufferSize));
    EXPECT_EQ(ex.LastReadCount(), 188u);
    EXPECT_TRUE(std::equal(longReply.begin() + 512, longReply.end(), ex.ReplyBuffer().begin()));
    EXPECT_TRUE(std::equal(longReply.begin() + 188, longReply.begin() + 512,
                           ex.ReplyBuffer().begin() + 188));

    peer->Send(Bytes({'O', 'K'}));
    SettleLine(2);
    ASSERT_TRUE(ex.ReadReply(kReplyBufferSize));
    EXPECT_EQ(ex.ReplyBuffer()[0], 'O');
    EXPECT_EQ(ex.ReplyBuffer()[1], 'K');
    EXPECT_EQ(ex.ReplyBuffer()[2], longReply[512 + 2]);
    EXPECT_EQ(ex.LastReadCount(), 2u);

    // Nothing more queued: the count says so although the buffer still holds bytes.
    EXPECT_FALSE(ex.ReadReply(kReplyBufferSize));
    EXPECT_EQ(ex.LastReadCount(), 0u);
}

TEST_F(LinkTest, NoBytesReadsFalseAndLeavesBufferUntouched) {
    auto ex = link.BeginExchange();
    ex.ReplyBuffer().fill(0xA5);
    EXPECT_FALSE(ex.ReadReply());
    EXPECT_TRUE(std::all_of(ex.ReplyBuffer().begin(), ex.ReplyBuffer().end(),
                            [](std::uint8_t b) { return b == 0xA5; }));
    EXPECT_FALSE(ex.PortGone());
}

TEST_F(LinkTest, ClearBuffersZeroesBoth) {
    auto ex = link.BeginExchange();
    ex.CommandBuffer().fill(0x55);
    ex.ReplyBuffer().fill(0xAA);
    ex.ClearBuffers();
    auto isZero = [](std::uint8_t b) { return b == 0; };
    EXPECT_TRUE(std::all_of(ex.CommandBuffer().begin(), ex.CommandBuffer().end(), isZero));
    EXPECT_TRUE(std::all_of(ex.ReplyBuffer().begin(), ex.ReplyBuffer().end(), isZero));
}

TEST_F(LinkTest, ReplyTextStopsAtFirstZeroAndNeverPastTheBuffer) {
    auto ex = link.BeginExchange();
    ex.ReplyBuffer().fill('A');
    EXPECT_EQ(ex.ReplyText(), std::string(kReplyBufferSize, 'A'));
    ex.ReplyBuffer()[6] = 0;
    EXPECT_EQ(ex.ReplyText(), "AAAAAA");
}

// An unplugged instrument is noticed by whatever comes first, a read or a send, and from
// then on every send and read gives up at once: a send reports the port gone instead of
// retrying until its deadlines run out, so nothing spins on a dead port.
void ExpectGoneForGood(InstrumentLink& link, Exchange& ex) {
    EXPECT_TRUE(ex.PortGone());
    EXPECT_FALSE(link.PortIsOpen());
    ex.PutTextCommand("01t?end");
    EXPECT_EQ(ex.SendTextCommand(), SendOutcome::PortGone);
    EXPECT_FALSE(ex.ReadReply());
}

TEST_F(LinkTest, HangUpIsNoticedByARead) {
    peer->HangUp();
    auto ex = link.BeginExchange();
    EXPECT_FALSE(ex.ReadReply());
    ExpectGoneForGood(link, ex);
}

TEST_F(LinkTest, HangUpIsNoticedByASend) {
    peer->HangUp();
    auto ex = link.BeginExchange();
    ex.PutTextCommand("01t?end");
    EXPECT_EQ(ex.SendTextCommand(), SendOutcome::PortGone);
    ExpectGoneForGood(link, ex);
}

TEST(LinkWithoutPort, SendIsRefusedAtOnceAndReadFindsNothing) {
    InstrumentLink link;
    auto ex = link.BeginExchange();
    ex.PutTextCommand("01s?end");
    EXPECT_EQ(ex.SendTextCommand(), SendOutcome::NotOpen);
    EXPECT_FALSE(ex.ReadReply());
    std::string why;
    EXPECT_FALSE(ex.OpenInstrumentPort("/nonexistent/ttyX", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(link.PortIsOpen());
}

TEST(LinkLock, ExchangesNeverOverlap) {
    InstrumentLink link;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    auto worker = [&] {
        for (int i = 0; i < 20; ++i) {
            auto ex = link.BeginExchange();
            if (inside.fetch_add(1) != 0)
                overlapped = true;
            ex.Sleep(1ms);
            inside.fetch_sub(1);
        }
    };
    std::thread a(worker), b(worker);
    a.join();
    b.join();
    EXPECT_FALSE(overlapped.load());
}

#ifdef __linux__
// Whether thread `tid` of this process is blocked waiting (state S), not running or runnable.
bool ThreadIsWaiting(long tid) {
    std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const std::size_t end = text.rfind(')');  // the name in parentheses may hold anything
    return end != std::string::npos && end + 2 < text.size() && text[end + 2] == 'S';
}
#endif

TEST(LinkShutdown, WakesASleepingExchangeAndLaterSleepsReturnAtOnce) {
    InstrumentLink link;
    std::atomic<bool> sleepResult{true};
    std::atomic<long> sleeperId{0};
    std::thread sleeper([&] {
        auto ex = link.BeginExchange();
#ifdef __linux__
        sleeperId = static_cast<long>(syscall(SYS_gettid));
#else
        sleeperId = 1;
#endif
        sleepResult = ex.Sleep(std::chrono::hours(1));
    });
    // The shutdown comes while the sleeper waits inside Sleep, so it is the wake-up that ends
    // the sleep, not the flag seen on the way in.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (sleeperId.load() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_NE(sleeperId.load(), 0);
#ifdef __linux__
    // After taking the exchange the sleeper can block nowhere but in Sleep.
    bool waiting = false;
    while (!(waiting = ThreadIsWaiting(sleeperId.load())) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_TRUE(waiting) << "the sleeper never waited";
#else
    std::this_thread::sleep_for(20ms);  // no thread states to read: most likely asleep by now
#endif
    link.Shutdown();
    sleeper.join();  // would hang for an hour if the sleep were not woken
    EXPECT_FALSE(sleepResult.load());
    auto ex = link.BeginExchange();
    EXPECT_FALSE(ex.Sleep(std::chrono::hours(1)));
}

}  // namespace
