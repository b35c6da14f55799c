// The simulated instrument through a real pseudo-terminal: reply layouts, the settings round
// trip, the record of requests, and the fault modes.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sim/instrument_simulator.h"
#include "sim_test_port.h"

namespace sim {
namespace {

using namespace std::chrono_literals;
using testing::TestPort;

int S16(const Bytes& b, std::size_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]));
}
int U16(const Bytes& b, std::size_t at) {
    return b[at] << 8 | b[at + 1];
}
void Put16(SettingsReply& r, std::size_t at, int value) {
    r[at] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) >> 8);
    r[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}
template <typename Array>
Bytes AsBytes(const Array& a) {
    return Bytes(a.begin(), a.end());
}

// The settings frame as the client lays it out, from the fields of a reply.
Bytes FrameFromReply(const SettingsReply& r) {
    Bytes f(kSettingsFrameSize, 0);
    f[0] = '0';
    f[1] = '1';
    f[2] = 'm';
    f[3] = static_cast<std::uint8_t>(r[0] + 30);
    f[4] = static_cast<std::uint8_t>(r[1] + 30);
    f[5] = r[2];
    f[6] = r[3];
    f[7] = r[0];
    f[8] = r[1];
    for (std::size_t i : {9,  10, 11, 12, 13, 14, 15, 16, 18, 19, 21, 22,
                          25, 26, 27, 28, 29, 30, 31, 32, 34, 35, 37, 38})
        f[i] = r[i - 3];
    for (std::size_t i : {17, 20, 33, 36})
        f[i] = 'k';
    for (std::size_t i : {23, 24})
        f[i] = 'j';
    for (std::size_t i = 39; i <= 47; ++i)
        f[i] = r[i + 1];
    f[48] = 'e';
    f[49] = 'n';
    f[50] = 'd';
    return f;
}

class SimulatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(sim.Start(&why)) << why;
        port = std::make_unique<TestPort>(sim.SlavePath());
        ASSERT_TRUE(port->IsOpen()) << sim.SlavePath();
    }

    InstrumentSimulator sim;
    std::unique_ptr<TestPort> port;
};

TEST_F(SimulatorTest, AnswersEachRequestWithItsLayout) {
    struct Case {
        const char* name;
        Bytes request;
        Bytes reply;
    };
    const std::vector<Case> cases = {
        {"identification: the text only", TextRequest('i'), ToBytes("KRT-10")},
        {"version", TextRequest('v'), VersionReply(1, 2, 300)},
        {"settings: 49 bytes", TextRequest('s'), AsBytes(DefaultSettings())},
        {"logger record 0", LoggerRequest(0), AsBytes(DefaultLoggerRecord(0))},
        {"logger record 255", LoggerRequest(255), AsBytes(DefaultLoggerRecord(255))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(port->Exchange(c.request, c.reply.size()), c.reply);
    }

    // The bytes the client decodes, spelled out.
    const Bytes version = VersionReply(1, 2, 300);
    ASSERT_GE(version.size(), 9u);
    EXPECT_EQ(version[5], 1);
    EXPECT_EQ(version[6], 2);
    EXPECT_EQ(version[7], 0x01);
    EXPECT_EQ(version[8], 0x2C);
    const SettingsReply settings = DefaultSettings();
    EXPECT_EQ(settings[0], 0);  // °Cdp
    EXPECT_EQ(settings[1], 5);  // °C
    for (std::uint8_t n : {0, 1, 77, 255}) {
        SCOPED_TRACE(n);
        const LoggerRecordReply record = DefaultLoggerRecord(n);
        EXPECT_EQ(record[10], n);
        if (n > 0) {  // distinct times
            EXPECT_NE(U16(AsBytes(record), 5), U16(AsBytes(DefaultLoggerRecord(n - 1)), 5));
        }
        const int date = U16(AsBytes(record), 7);
        EXPECT_EQ(date >> 9, 12);         // 2012
        EXPECT_EQ((date >> 5) & 0xF, 3);  // March
    }

    // Settable answers.
    sim.SetIdentification("NIV-Ion   ");
    sim.SetVersion(0xFF, 7, 65535);
    LoggerRecordReply record{};
    record.fill(0x5A);
    sim.SetLoggerRecord(3, record);
    EXPECT_EQ(port->Exchange(TextRequest('i'), 10), ToBytes("NIV-Ion   "));
    EXPECT_EQ(port->Exchange(TextRequest('v'), kVersionReplySize), VersionReply(0xFF, 7, 65535));
    EXPECT_EQ(port->Exchange(LoggerRequest(3), kLoggerRecordSize), AsBytes(record));
}

TEST_F(SimulatorTest, MeasurementsArePlausibleAndDrift) {
    const Bytes first = port->Exchange(TextRequest('t'), kMeasurementReplySize);
    const Bytes second = port->Exchange(TextRequest('t'), kMeasurementReplySize);
    ASSERT_EQ(first.size(), kMeasurementReplySize);
    ASSERT_EQ(second.size(), kMeasurementReplySize);
    EXPECT_NE(first, second);
    for (const Bytes& m : {first, second}) {
        const double dewPoint = S16(m, 0) / 100.0;
        const double humidity = S16(m, 10) / 100.0;
        const double ambient = S16(m, 14) / 100.0;
        const double mirror = S16(m, 16) / 100.0;
        EXPECT_GT(dewPoint, 8.0);
        EXPECT_LT(dewPoint, 11.0);
        EXPECT_GT(ambient, 21.0);
        EXPECT_LT(ambient, 23.0);
        EXPECT_GT(humidity, 40.0);
        EXPECT_LT(humidity, 50.0);
        EXPECT_NEAR(mirror, dewPoint, 0.2);
        EXPECT_GT(S16(m, 5) / 100.0, ambient);  // the head runs warmer
        // Run time just after start: 2 half days, 7 hours, 1800 seconds.
        EXPECT_EQ(U16(m, 26), 2);
        EXPECT_EQ(U16(m, 28), 7);
        EXPECT_EQ(U16(m, 30), 1800);
    }

    MeasurementReply fixed{};
    for (std::size_t i = 0; i < fixed.size(); ++i)
        fixed[i] = static_cast<std::uint8_t>(i);
    sim.SetFixedMeasurement(fixed);
    EXPECT_EQ(port->Exchange(TextRequest('t'), kMeasurementReplySize), AsBytes(fixed));
    sim.ClearFixedMeasurement();
    EXPECT_NE(port->Exchange(TextRequest('t'), kMeasurementReplySize), AsBytes(fixed));
}

TEST(InstrumentState, RunTimeCountersAdvance) {
    struct Case {
        std::uint64_t total;
        RunTime expected;
    };
    for (const Case& c : std::vector<Case>{{0, {0, 0, 0}},
                                           {2 * 43200 + 7 * 3600 + 1800, {2, 7, 1800}},
                                           {43199, {0, 11, 3599}},
                                           {43200, {1, 0, 0}}}) {
        SCOPED_TRACE(c.total);
        const RunTime r = SplitRunTime(c.total);
        EXPECT_EQ(r.halfDays, c.expected.halfDays);
        EXPECT_EQ(r.hours, c.expected.hours);
        EXPECT_EQ(r.seconds, c.expected.seconds);
    }
    InstrumentState state;
    const MeasurementReply at0 = state.Measure(0.0);
    const MeasurementReply at61 = state.Measure(61.5);
    EXPECT_EQ(U16(AsBytes(at0), 30), 1800);
    EXPECT_EQ(U16(AsBytes(at61), 30), 1861);
}

TEST_F(SimulatorTest, SettingsFrameUpdatesTheSettingsReply) {
    SettingsReply want = DefaultSettings();
    want[0] = 7;        // DisplayUnit
    want[1] = 6;        // TemperatureUnit
    want[4] = want[0];  // the frame carries the unit codes at the places of reply 4 and 5
    want[5] = want[1];
    want[2] = 3;           // Alarm1Mode
    Put16(want, 6, -50);   // Alarm1High
    want[8] = 9;           // Alarm1HighExtra, carried back
    Put16(want, 31, -1);   // Output2Max
    Put16(want, 34, 300);  // CleaningInterval
    want[40] = 1;          // Buzzer
    want[41] = 1;          // LoggerMode
    want[44] = 12;         // RecordIntervalAl2
    Put16(want, 45, -50);  // ManualTemperature
    Put16(want, 47, 250);  // Pressure
    const Bytes frame = FrameFromReply(want);

    EXPECT_EQ(port->Exchange(frame, 2), ToBytes("OK"));
    EXPECT_EQ(sim.LastSettingsFrame(), frame);
    EXPECT_EQ(port->Exchange(TextRequest('s'), kSettingsReplySize), AsBytes(want));

    // A 42-byte frame (offsets 0..41) updates what it covers, up to RecordInterval.
    SettingsReply want42 = want;
    want42[3] = 4;   // Alarm2Mode
    want42[42] = 9;  // RecordInterval: frame offset 41
    SettingsReply sent = want42;
    sent[43] = 11;  // RecordIntervalAl1: beyond the 42 bytes, so not applied
    Bytes frame42 = FrameFromReply(sent);
    frame42.resize(kShortSettingsFrameSize);
    const auto sentAt = std::chrono::steady_clock::now();
    EXPECT_EQ(port->Exchange(frame42, 2), ToBytes("OK"));
    EXPECT_GE(std::chrono::steady_clock::now() - sentAt, 50ms);  // taken as 42 after the quiet
    EXPECT_EQ(sim.LastSettingsFrame(), frame42);
    EXPECT_EQ(port->Exchange(TextRequest('s'), kSettingsReplySize), AsBytes(want42));
    EXPECT_EQ(sim.Settings(), want42);
}

TEST_F(SimulatorTest, RecordsEveryRequestExactly) {
    const Bytes frame = FrameFromReply(DefaultSettings());
    const std::vector<Bytes> sent = {
        ToBytes("xx"),    TextRequest('i'), ToBytes("zz0"), TextRequest('t'),  LoggerRequest(0),
        TextRequest('s'), TextRequest('v'), frame,          LoggerRequest(255)};
    Bytes all;
    for (const Bytes& b : sent) {
        ASSERT_TRUE(port->Send(b));
        all.insert(all.end(), b.begin(), b.end());
    }
    ASSERT_TRUE(sim.WaitForRequests(RequestKind::LoggerRecord, 2, 1000ms));
    EXPECT_FALSE(sim.WaitForRequests(RequestKind::LoggerRecord, 3, 20ms));

    const std::vector<ReceivedRequest> got = sim.Requests();
    const std::vector<std::pair<RequestKind, Bytes>> expected = {
        {RequestKind::Identification, TextRequest('i')},
        {RequestKind::Measurement, TextRequest('t')},
        {RequestKind::LoggerRecord, Bytes{0x30, 0x31, 0x72, 0x00, 0x3F, 0x65, 0x6E, 0x64}},
        {RequestKind::SettingsRead, TextRequest('s')},
        {RequestKind::Version, TextRequest('v')},
        {RequestKind::SettingsFrame, frame},
        {RequestKind::LoggerRecord, LoggerRequest(255)},
    };
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].kind, expected[i].first) << ToString(got[i].kind);
        EXPECT_EQ(got[i].bytes, expected[i].second);
    }
    EXPECT_EQ(sim.ReceivedBytes(), all);
    EXPECT_EQ(sim.RequestCount(RequestKind::LoggerRecord), 2u);
    EXPECT_EQ(sim.RequestCount(RequestKind::SettingsFrame), 1u);

    // Every answer in order: 6 + 32 + 11 + 49 + 12 + 2 + 11 bytes.
    EXPECT_EQ(port->Read(123, 1000ms).size(), 123u);

    sim.ClearRequests();
    EXPECT_TRUE(sim.Requests().empty());
    EXPECT_TRUE(sim.ReceivedBytes().empty());
    EXPECT_EQ(sim.RequestCount(RequestKind::Identification), 0u);
}

// Each fault mode does what it says, on a fresh simulator and port.
TEST(SimulatorFaults, EachFaultModeDoesWhatItSays) {
    struct Case {
        const char* name;
        std::function<void(InstrumentSimulator&)> arrange;
        std::function<void(InstrumentSimulator&, TestPort&)> check;
    };
    const std::vector<Case> cases = {
        {"silent: nothing comes, the request is still recorded",
         [](InstrumentSimulator& s) { s.SetSilent(); },
         [](InstrumentSimulator& s, TestPort& p) {
             p.Send(TextRequest('t'));
             EXPECT_TRUE(p.ReadFor(300ms).empty());
             EXPECT_EQ(s.RequestCount(RequestKind::Measurement), 1u);
         }},
        {"silent for one answer, then answering", [](InstrumentSimulator& s) { s.SetSilent(1); },
         [](InstrumentSimulator&, TestPort& p) {
             p.Send(TextRequest('i'));
             EXPECT_TRUE(p.ReadFor(100ms).empty());
             EXPECT_EQ(p.Exchange(TextRequest('i'), 6), ToBytes("KRT-10"));
         }},
        {"slow: the answer comes after its delay", [](InstrumentSimulator& s) { s.SetSlow(150ms); },
         [](InstrumentSimulator&, TestPort& p) {
             p.Send(TextRequest('i'));
             EXPECT_TRUE(p.ReadFor(100ms).empty());
             EXPECT_EQ(p.Read(6, 10000ms), ToBytes("KRT-10"));
         }},
        // An hour's delay tells "delayed" from "not delayed" without timing anything: the
        // next answer comes within the read's deadline only if the delay was spent.
        {"slow for one answer: that one late, the next without the delay",
         [](InstrumentSimulator& s) { s.SetSlow(1h, 1); },
         [](InstrumentSimulator& s, TestPort& p) {
             p.Send(TextRequest('i'));
             ASSERT_TRUE(s.WaitForRequests(RequestKind::Identification, 1, 10000ms));
             EXPECT_TRUE(p.ReadFor(100ms).empty());
             s.DiscardUnreadReplies();  // the hour-late answer
             p.Send(TextRequest('i'));
             EXPECT_EQ(p.Read(6, 30000ms), ToBytes("KRT-10"));
         }},
        {"split: 10 bytes, a gap, the other 22",
         [](InstrumentSimulator& s) { s.SetSplit(10, 80ms); },
         [](InstrumentSimulator&, TestPort& p) {
             p.Send(TextRequest('t'));
             EXPECT_EQ(p.Read(10, 200ms, 40ms).size(), 10u);
             EXPECT_EQ(p.Read(22, 300ms).size(), 22u);
         }},
        {"over-long: 700 bytes, more than the client's 512",
         [](InstrumentSimulator& s) { s.SetOverLong(700); },
         [](InstrumentSimulator&, TestPort& p) {
             const Bytes got = p.Exchange(TextRequest('t'), 700);
             ASSERT_EQ(got.size(), 700u);
             EXPECT_EQ(got[32], 0xAA);
             EXPECT_EQ(got[699], 0xAA);
         }},
        {"one-shot reply: a short measurement once, then the normal one",
         [](InstrumentSimulator& s) {
             s.QueueReply(RequestKind::Measurement, Bytes{0x01, 0xF4, 0, 0, 0});
         },
         [](InstrumentSimulator&, TestPort& p) {
             EXPECT_EQ(p.Exchange(TextRequest('t'), 5), (Bytes{0x01, 0xF4, 0, 0, 0}));
             EXPECT_EQ(p.Exchange(TextRequest('t'), 32).size(), 32u);
         }},
        {"wrong identification: line-ended text",
         [](InstrumentSimulator& s) { s.SetIdentification("KRT-10\r\n"); },
         [](InstrumentSimulator&, TestPort& p) {
             EXPECT_EQ(p.Exchange(TextRequest('i'), 8), ToBytes("KRT-10\r\n"));
         }},
        {"no OK: the frame is applied but not answered",
         [](InstrumentSimulator& s) { s.SetSettingsFrameAnswer(std::nullopt); },
         [](InstrumentSimulator& s, TestPort& p) {
             SettingsReply changed = DefaultSettings();
             changed[40] = 0;  // Buzzer OFF
             p.Send(FrameFromReply(changed));
             EXPECT_TRUE(p.ReadFor(200ms).empty());
             EXPECT_EQ(s.Settings(), changed);
         }},
        {"another answer instead of OK",
         [](InstrumentSimulator& s) { s.SetSettingsFrameAnswer(ToBytes("ok")); },
         [](InstrumentSimulator&, TestPort& p) {
             EXPECT_EQ(p.Exchange(FrameFromReply(DefaultSettings()), 2), ToBytes("ok"));
         }},
        {"hang-up: the port reports it", [](InstrumentSimulator&) {},
         [](InstrumentSimulator& s, TestPort& p) {
             ASSERT_TRUE(s.HangUp());
             EXPECT_FALSE(s.IsRunning());
             pollfd pfd{p.Fd(), POLLIN, 0};
             ASSERT_EQ(poll(&pfd, 1, 200), 1);
             EXPECT_TRUE(pfd.revents & POLLHUP);
             std::uint8_t byte;
             const ssize_t n = read(p.Fd(), &byte, 1);
             EXPECT_TRUE(n == 0 || (n < 0 && errno == EIO)) << n << " " << errno;
         }},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstrumentSimulator s;
        std::string why;
        ASSERT_TRUE(s.Start(&why)) << why;
        TestPort p(s.SlavePath());
        ASSERT_TRUE(p.IsOpen());
        c.arrange(s);
        c.check(s, p);
    }
}

TEST_F(SimulatorTest, ServesReopenedPortsWithoutSpinningAndStopsPromptly) {
    port->Close();
    // Counted wake-ups, not CPU time: an idle service thread wakes at most once per 50 ms (its
    // shortest idle wait), however slow the machine; a spinning one thousands of times.
    const auto start = std::chrono::steady_clock::now();
    const std::uint64_t before = sim.ServiceWakeUps();
    std::this_thread::sleep_for(300ms);  // nobody has the port open
    const std::uint64_t wakeUps = sim.ServiceWakeUps() - before;
    const auto elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
    EXPECT_LE(wakeUps, static_cast<std::uint64_t>(elapsedMs / 50 + 3)) << elapsedMs << " ms";

    TestPort again(sim.SlavePath());
    ASSERT_TRUE(again.IsOpen());
    EXPECT_EQ(again.Exchange(TextRequest('i'), 6), ToBytes("KRT-10"));

    // An answer due in two minutes does not hold up the end: Stop returns long before it.
    sim.SetSlow(120000ms);
    again.Send(TextRequest('t'));
    ASSERT_TRUE(sim.WaitForRequests(RequestKind::Measurement, 1, 10000ms));
    auto stopped = std::async(std::launch::async, [this] { sim.Stop(); });
    EXPECT_EQ(stopped.wait_for(30s), std::future_status::ready) << "Stop waited for the answer";
    stopped.wait();
    EXPECT_FALSE(sim.IsRunning());
}

TEST_F(SimulatorTest, DiscardsRepliesNobodyRead) {
    sim.SetSlow(50ms);
    port->Send(TextRequest('i'));
    ASSERT_TRUE(sim.WaitForRequests(RequestKind::Identification, 1, 1000ms));
    sim.DiscardUnreadReplies();  // one scheduled
    port->Send(TextRequest('v'));
    ASSERT_TRUE(sim.WaitForRequests(RequestKind::Version, 1, 1000ms));
    std::this_thread::sleep_for(100ms);  // sent, not read
    sim.DiscardUnreadReplies();
    EXPECT_TRUE(port->ReadFor(100ms).empty());
}

}  // namespace
}  // namespace sim

namespace sim {
namespace {

using namespace std::chrono_literals;
using sim::testing::TestPort;

TEST(SimulatorPlug, UnpluggedLooksLikeAPulledAdapterAndTheLinkFollowsTheReplug) {
    char dirTemplate[] = "/tmp/hygro-sim-XXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    const std::string link = std::string(dirTemplate) + "/instrument";

    InstrumentSimulator s;
    s.SetLinkPath(link);
    std::string why;
    ASSERT_TRUE(s.Start(&why)) << why;
    {
        TestPort port(link);
        ASSERT_TRUE(port.IsOpen());
        EXPECT_EQ(port.Exchange(TextRequest('i'), 6), ToBytes("KRT-10"));

        ASSERT_TRUE(s.Unplug());
        EXPECT_FALSE(s.IsPlugged());
        EXPECT_FALSE(s.Unplug()) << "already unplugged";
        pollfd pfd{port.Fd(), POLLIN, 0};
        ASSERT_EQ(poll(&pfd, 1, 200), 1);
        EXPECT_TRUE(pfd.revents & POLLHUP);
        struct stat st {};
        EXPECT_NE(lstat(link.c_str(), &st), 0) << "the stable name goes with the device";
    }
    EXPECT_FALSE(s.WaitUntilPlugged(100ms)) << "stays out until replugged";

    s.Replug(50ms);
    ASSERT_TRUE(s.WaitUntilPlugged(2000ms));
    char target[256] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), s.SlavePath());
    {
        TestPort port(link);
        ASSERT_TRUE(port.IsOpen());
        EXPECT_EQ(port.Exchange(TextRequest('i'), 6), ToBytes("KRT-10"));
    }
    EXPECT_EQ(s.RequestCount(RequestKind::Identification), 2u) << "the record spans the replug";

    s.Stop();
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link goes at the end";
    rmdir(dirTemplate);
}

}  // namespace
}  // namespace sim
