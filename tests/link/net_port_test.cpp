// The network backend against a recording stand-in for a serial device server.

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/eventfd.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "common/black_hole_server.h"
#include "common/recording_server.h"
#include "link/instrument_link.h"
#include "link/net_port.h"
#include "link/net_port_name.h"
#include "link/port_candidates.h"
#include "link/serial_port.h"

namespace {

using Bytes = RecordingServer::Bytes;

const Bytes kAccepts{0xFF, 0xFD, 0, 0xFF, 0xFB, 0,  // DO BINARY, WILL BINARY
                     0xFF, 0xFD, 44};               // DO COM-PORT-OPTION
const Bytes kOffer{0xFF, 0xFB, 0, 0xFF, 0xFD, 0, 0xFF, 0xFB, 44};
const Bytes kSettings{
    0xFF, 0xFA, 44, 1,  0x00, 0x00, 0x12, 0xC0, 0xFF, 0xF0,  // 4800 baud
    0xFF, 0xFA, 44, 2,  8,    0xFF, 0xF0,                    // 8 data bits
    0xFF, 0xFA, 44, 3,  1,    0xFF, 0xF0,                    // no parity
    0xFF, 0xFA, 44, 4,  1,    0xFF, 0xF0,                    // 1 stop bit
    0xFF, 0xFA, 44, 5,  1,    0xFF, 0xF0,                    // no flow control
    0xFF, 0xFA, 44, 5,  9,    0xFF, 0xF0,                    // DTR off
    0xFF, 0xFA, 44, 5,  12,   0xFF, 0xF0,                    // RTS off
    0xFF, 0xFA, 44, 12, 3,    0xFF, 0xF0,                    // purge both buffers
};

// The stop signal a port is given: an eventfd, readable for good once Wake is called.
class WakeFd {
  public:
    WakeFd() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~WakeFd() { ::close(fd_); }
    WakeFd(const WakeFd&) = delete;
    WakeFd& operator=(const WakeFd&) = delete;
    int Fd() const { return fd_; }
    void Wake() const {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one);
    }

  private:
    int fd_;
};

Bytes Concat(const Bytes& a, const Bytes& b) {
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

// Reads until `count` bytes have come (long deadline).
Bytes ReadBytes(SerialPort& port, std::size_t count) {
    Bytes out;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (out.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::uint8_t buffer[64];
        const auto n = port.ReadAvailable(buffer, sizeof buffer);
        out.insert(out.end(), buffer, buffer + n);
        if (n == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    return out;
}

TEST(NetPortName, Table) {
    struct Case {
        const char* name;
        bool ok;
        bool rfc2217;
        const char* host;
        const char* service;
    };
    const Case cases[] = {
        {"rfc2217://bench-7:2000", true, true, "bench-7", "2000"},
        {"tcp://10.0.0.5:4001", true, false, "10.0.0.5", "4001"},
        {"tcp://[fe80::1]:23", true, false, "fe80::1", "23"},
        {"tcp://host", false, false, "", ""},
        {"tcp://:2000", false, false, "", ""},
        {"tcp://host:0", false, false, "", ""},
        {"tcp://host:65536", false, false, "", ""},
        {"tcp://host:20a0", false, false, "", ""},
        {"tcp://fe80::1:23", false, false, "", ""},
        {"/dev/ttyUSB0", false, false, "", ""},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseNetPortName(c.name);
        ASSERT_EQ(parsed.has_value(), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(parsed->rfc2217, c.rfc2217) << c.name;
            EXPECT_EQ(parsed->host, c.host) << c.name;
            EXPECT_EQ(parsed->service, c.service) << c.name;
        }
    }
    EXPECT_TRUE(IsNetPortName("rfc2217://x"));
    EXPECT_FALSE(IsNetPortName("COM3"));
}

// A server's address has no device node: its absence is never an unplug, and it has no
// stable aliases under /dev/serial.
TEST(NetPortName, IsNoDevicePath) {
    for (const char* name : {"rfc2217://bench-7:2000", "tcp://10.0.0.5:4001"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(PortDevicePresent(name));
        EXPECT_TRUE(StablePortAliases(name).empty());
    }
    EXPECT_FALSE(PortDevicePresent("/dev/no-such-serial-port"));
}

// What an RFC 2217 server says and sends, and what the client must answer, send and pass on.
// The server's data comes in parts, each sent once the data of the part before has been read,
// so a sequence cut between two parts is cut between two reads of the client.
TEST(NetPort, Rfc2217AgainstTheServersAnswers) {
    struct Part {
        Bytes sent;      // by the server
        Bytes readable;  // the instrument's bytes the client passes on from it
    };
    struct Case {
        const char* name;
        Bytes greeting;    // the server's answers to the offer
        Bytes answers;     // what the client owes the server for them
        bool setsTheLine;  // the line settings follow
        Bytes data;        // the client writes this
        Bytes wire;        // and this goes out
        std::vector<Part> parts;
    };
    const Bytes kNotifyFF{0xFF, 0xFA, 44, 106, 0xFF, 0xFF, 0xFF, 0xF0};  // line state 0xFF
    const Case cases[] = {
        {"accepted, a notification between two data bytes, 0xFF cut in two",
         kAccepts,
         {},
         true,
         {0x30, 0xFF, 0x00, 0xFF, 0xFF},
         {0x30, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF},
         {{{0x41, 0xFF, 0xFA, 44, 106, 0x10, 0xFF, 0xF0, 0x42, 0xFF}, {0x41, 0x42}},
          {{0xFF, 0x43}, {0xFF, 0x43}}}},
        {"COM-PORT-OPTION refused, another option asked for",
         {0xFF, 0xFE, 44, 0xFF, 0xFD, 3},  // DONT COM-PORT, DO SGA
         {0xFF, 0xFC, 3},                  // WONT SGA
         false,
         {0xFF},
         {0xFF, 0xFF},
         {{{0x01, 0xFF}, {0x01}}, {{0xFF}, {0xFF}}}},
        {"BINARY refused both ways, COM-PORT-OPTION taken",
         {0xFF, 0xFC, 0, 0xFF, 0xFE, 0, 0xFF, 0xFD, 44},  // WONT BINARY, DONT BINARY, DO COM-PORT
         {},
         true,
         {0xFF, 0x0D},
         {0xFF, 0xFF, 0x0D},
         {{{0x0D, 0xFF, 0xFF}, {0x0D, 0xFF}}}},
        {"the server offers an option of its own",
         Concat({0xFF, 0xFB, 1}, kAccepts),  // WILL ECHO first
         {0xFF, 0xFE, 1},                    // DONT ECHO
         true,
         {0x01},
         {0x01},
         {{{0x02}, {0x02}}}},
        {"notifications cut inside, one with a doubled 0xFF in it",
         kAccepts,
         {},
         true,
         {0x02},
         {0x02},
         {{{0x51, 0xFF, 0xFA, 44}, {0x51}},
          {Concat({107, 0x30, 0xFF, 0xF0}, {0x52, 0xFF, 0xFA}), {0x52}},
          {Concat({44, 106, 0xFF, 0xFF, 0xFF, 0xF0}, kNotifyFF), {}},
          {{0x53}, {0x53}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingServer server(c.greeting);
        SerialPort port;
        std::string why;
        ASSERT_TRUE(port.Open(server.Url("rfc2217"), &why)) << why;
        const Bytes opened = Concat(Concat(kOffer, c.answers), c.setsTheLine ? kSettings : Bytes{});
        EXPECT_EQ(server.WaitForBytes(opened.size()), opened);

        ASSERT_EQ(port.WriteAndDrain(c.data.data(), c.data.size(), 2000), PortIo::Ok);
        EXPECT_EQ(server.WaitForBytes(opened.size() + c.wire.size()), Concat(opened, c.wire))
            << "nothing else, nothing owed twice";

        Bytes expected;
        Bytes read;
        for (const Part& part : c.parts) {
            server.Send(part.sent);
            expected.insert(expected.end(), part.readable.begin(), part.readable.end());
            const Bytes more = ReadBytes(port, part.readable.size());
            read.insert(read.end(), more.begin(), more.end());
        }
        // Whatever a last part held back (option traffic) would show up here.
        server.Send({0x7E});
        expected.push_back(0x7E);
        const Bytes last = ReadBytes(port, 1);
        read.insert(read.end(), last.begin(), last.end());
        EXPECT_EQ(read, expected);
        EXPECT_FALSE(port.HasHungUp());
    }
}

// A server that refuses COM-PORT-OPTION is used without line settings, and the port says so
// once, not at every reconnect; it prints nothing itself (the layer above words it).
TEST(NetPort, ARefusedComPortOptionIsSaidOnce) {
    const Bytes refusal{0xFF, 0xFE, 44};  // DONT COM-PORT-OPTION
    SerialPort port;
    std::vector<PortNotice> noticed;
    port.SetNoticeHandler([&](const PortNotice& notice) { noticed.push_back(notice); });
    std::string why;
    testing::internal::CaptureStderr();
    for (int open = 0; open < 2; ++open) {
        RecordingServer server(refusal);
        ASSERT_TRUE(port.Open(server.Url("rfc2217"), &why)) << why;
        EXPECT_EQ(server.WaitForBytes(kOffer.size()), kOffer) << "no line settings";
        port.Close();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(noticed.size(), 1u);
    EXPECT_EQ(noticed[0].kind, PortNoticeKind::LineSettingsRefused);
}

// With a notice handler given, the refusal goes there, once, named by the port, and nothing
// to standard error: the layer above says it in the program's language.
TEST(NetPort, ARefusedComPortOptionGoesToTheNoticeGiven) {
    const Bytes refusal{0xFF, 0xFE, 44};  // DONT COM-PORT-OPTION
    SerialPort port;
    std::vector<std::string> noticed;
    port.SetNoticeHandler([&](const PortNotice& notice) { noticed.push_back(notice.port); });
    std::string why;
    std::vector<std::string> urls;
    testing::internal::CaptureStderr();
    for (int open = 0; open < 2; ++open) {
        RecordingServer server(refusal);
        urls.push_back(server.Url("rfc2217"));
        ASSERT_TRUE(port.Open(urls.back(), &why)) << why;
        EXPECT_EQ(server.WaitForBytes(kOffer.size()), kOffer) << "no line settings";
        port.Close();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(noticed, std::vector<std::string>{urls.front()});
}

// An rfc2217:// server that never says a word of telnet is refused, never decoded as telnet
// (that would swallow the instrument's 0xFF bytes); one that speaks telnet but leaves the
// COM-PORT-OPTION unanswered is used without line settings. The negotiation's wait is
// shortened here; the program's own is 3 s.
TEST(NetPort, AServerThatNeverSpeaksTelnetIsRefused) {
    struct Case {
        const char* name;
        Bytes greeting;
        bool opens;
    };
    const Case cases[] = {
        {"silent: a raw bridge", {}, false},
        {"DO and WILL BINARY, COM-PORT-OPTION unanswered", {0xFF, 0xFD, 0, 0xFF, 0xFB, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WakeFd wake;
        NetPortTimings timings;
        timings.negotiate = std::chrono::milliseconds(300);
        NetPort port(wake.Fd(), timings);
        std::vector<PortNotice> noticed;
        port.SetNoticeHandler([&](const PortNotice& notice) { noticed.push_back(notice); });
        RecordingServer server(c.greeting);
        std::string why;
        PortOpenFailure failure;
        ASSERT_EQ(port.Open(server.Url("rfc2217"), &why, &failure), c.opens) << why;
        if (!c.opens) {
            EXPECT_EQ(why, "not an RFC 2217 server; use tcp://");
            EXPECT_EQ(failure.reason, PortOpenReason::NotRfc2217);
            EXPECT_TRUE(noticed.empty());
            EXPECT_FALSE(port.IsOpen());
            continue;
        }
        ASSERT_EQ(noticed.size(), 1u);
        EXPECT_EQ(noticed[0].kind, PortNoticeKind::LineSettingsRefused);
        server.Send({0x41, 0xFF, 0xFF, 0x42});
        std::uint8_t got[4] = {};
        std::size_t n = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (n < 3 && std::chrono::steady_clock::now() < deadline) {
            n += port.ReadAvailable(got + n, sizeof got - n);
        }
        EXPECT_EQ(Bytes(got, got + n), (Bytes{0x41, 0xFF, 0x42}));
    }
}

// A peer that sends far more than a 4800-baud line can carry (a mistyped port, a hostile
// server) costs a bounded buffer, is dropped as a port gone, and is said once; nothing it
// sent reaches the exchange once that is known.
TEST(NetPort, AFloodingPeerIsDroppedWithBoundedMemory) {
    struct Case {
        const char* scheme;
        Bytes greeting;
    };
    const Case cases[] = {{"tcp", {}}, {"rfc2217", kAccepts}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scheme);
        RecordingServer server(c.greeting);
        SerialPort port;
        std::vector<PortNotice> noticed;
        port.SetNoticeHandler([&](const PortNotice& notice) { noticed.push_back(notice); });
        std::string why;
        ASSERT_TRUE(port.Open(server.Url(c.scheme), &why)) << why;
        server.StartFlood();
        std::size_t mostWaiting = 0;
        std::size_t read = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!port.HasHungUp() && std::chrono::steady_clock::now() < deadline) {
            mostWaiting = std::max(mostWaiting, port.BytesWaiting());
            std::uint8_t buffer[512];
            read += port.ReadAvailable(buffer, sizeof buffer);
        }
        EXPECT_TRUE(port.HasHungUp());
        EXPECT_LE(mostWaiting, kNetMaxBuffered);
        EXPECT_EQ(port.BytesWaiting(), 0u);
        std::uint8_t buffer[16];
        EXPECT_EQ(port.ReadAvailable(buffer, sizeof buffer), 0u);
        const Bytes data{0x01};
        EXPECT_EQ(port.WriteAndDrain(data.data(), data.size(), 500), PortIo::Gone);
        ASSERT_EQ(noticed.size(), 1u);
        EXPECT_EQ(noticed[0].kind, PortNoticeKind::Flooded);
        EXPECT_EQ(noticed[0].port, server.Url(c.scheme));
        port.Close();
    }
}

TEST(NetPort, RawTcpPassesBytesAsTheyAre) {
    RecordingServer server;
    SerialPort port;
    std::string why;
    ASSERT_TRUE(port.Open(server.Url("tcp"), &why)) << why;
    const Bytes data{0xFF, 0xFA, 0x00};
    ASSERT_EQ(port.WriteAndDrain(data.data(), data.size(), 2000), PortIo::Ok);
    EXPECT_EQ(server.WaitForBytes(3), data);
    server.Send({0xFF, 0xFF, 0xF0});
    EXPECT_EQ(ReadBytes(port, 3), (Bytes{0xFF, 0xFF, 0xF0}));
}

TEST(NetPort, AClosedConnectionIsAPortGone) {
    RecordingServer server;
    SerialPort port;
    std::string why;
    ASSERT_TRUE(port.Open(server.Url("tcp"), &why)) << why;
    server.WaitForBytes(0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!port.HasHungUp() && std::chrono::steady_clock::now() < deadline) {
        server.Drop();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(port.HasHungUp());
    const Bytes data{0x01};
    EXPECT_EQ(port.WriteAndDrain(data.data(), data.size(), 500), PortIo::Gone);
}

TEST(NetPort, UnreachableServersSayWhy) {
    int freePort = 0;
    {
        RecordingServer closed;  // a port that was free a moment ago: nothing listens now
        freePort = closed.Port();
    }
    SerialPort port;
    std::string why;
    PortOpenFailure failure;
    EXPECT_FALSE(port.Open("tcp://127.0.0.1:" + std::to_string(freePort), &why, &failure));
    EXPECT_EQ(why, "Connection refused");
    // What it was, for words in the program's language above the link.
    EXPECT_EQ(failure.reason, PortOpenReason::System);
    EXPECT_EQ(failure.error, ECONNREFUSED);
    EXPECT_FALSE(port.Open("rfc2217://no-such-host.invalid:2000", &why, &failure));
    EXPECT_NE(why.find("no-such-host.invalid"), std::string::npos) << why;
    EXPECT_EQ(failure.reason, PortOpenReason::HostNotFound);
    EXPECT_EQ(failure.host, "no-such-host.invalid");
    EXPECT_FALSE(port.Open("tcp://host-without-port", &why, &failure));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(failure.reason, PortOpenReason::NotNetworkName);
    EXPECT_FALSE(port.IsOpen());
}

// The resolver a test holds: it answers 127.0.0.1 once released.
struct HeldResolver {
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    bool released = false;
    bool returned = false;

    NetResolver Resolver(const std::shared_ptr<HeldResolver>& self) {
        return [self](const std::string&, const std::string& service) {
            std::unique_lock<std::mutex> lock(self->mutex);
            self->entered = true;
            self->changed.notify_all();
            self->changed.wait(lock, [&] { return self->released; });
            self->returned = true;
            return SystemResolve("127.0.0.1", service);
        };
    }
    bool Entered() {
        std::lock_guard<std::mutex> lock(mutex);
        return entered;
    }
    bool Returned() {
        std::lock_guard<std::mutex> lock(mutex);
        return returned;
    }
    void Release() {
        std::lock_guard<std::mutex> lock(mutex);
        released = true;
        changed.notify_all();
    }
};

bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A stop never waits on the network: a name the resolver still holds, a connect whose SYN
// the peer drops and a negotiation the server leaves unanswered each end as soon as the stop
// comes, while the peer still holds them (their own deadlines would say ServerSilent or
// NotRfc2217, the resolver would have to return first).
TEST(NetPort, AStopWakesEveryWaitWhileThePeerStillHoldsIt) {
    // Name resolution, through the port directly: its resolver is the test's.
    {
        SCOPED_TRACE("name resolution");
        const WakeFd wake;
        auto held = std::make_shared<HeldResolver>();
        NetPort port(wake.Fd(), NetPortTimings{}, held->Resolver(held));
        PortOpenFailure failure;
        bool opened = true;
        std::thread opening(
            [&] { opened = port.Open("tcp://held.invalid:4001", nullptr, &failure); });
        ASSERT_TRUE(WaitUntil([&] { return held->Entered(); }));
        wake.Wake();
        opening.join();
        EXPECT_FALSE(held->Returned()) << "the stop did not wait for the resolver";
        EXPECT_FALSE(opened);
        EXPECT_EQ(failure.reason, PortOpenReason::Interrupted);
        held->Release();  // its answer is dropped
    }
    // The connect and the negotiation, through the link as a session's Stop reaches them.
    struct Case {
        const char* name;
        std::function<std::string()> url;
        std::function<bool()> waiting;  // the peer holds the wait now
    };
    BlackHoleServer blackHole;
    RecordingServer silent;
    const Case cases[] = {
        {"connect", [&] { return blackHole.Url("tcp"); },
         [&] { return blackHole.ConnectWaiting(); }},
        {"negotiation", [&] { return silent.Url("rfc2217"); },
         [&] { return silent.Received().size() >= kOffer.size(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstrumentLink link;
        PortOpenFailure failure;
        bool opened = true;
        std::thread opening(
            [&] { opened = link.BeginExchange().OpenInstrumentPort(c.url(), nullptr, &failure); });
        ASSERT_TRUE(WaitUntil(c.waiting));
        link.Shutdown();
        opening.join();
        EXPECT_FALSE(opened);
        EXPECT_EQ(failure.reason, PortOpenReason::Interrupted);
    }
}

// A connect whose SYNs the peer drops gives up at its deadline (shortened here; the
// program's is 4 s per address) and says the server is silent.
TEST(NetPort, AConnectThePeerNeverAnswersGivesUp) {
    const WakeFd wake;
    NetPortTimings timings;
    timings.connect = std::chrono::milliseconds(300);
    NetPort port(wake.Fd(), timings);
    BlackHoleServer blackHole;
    std::string why;
    PortOpenFailure failure;
    EXPECT_FALSE(port.Open(blackHole.Url("tcp"), &why, &failure));
    EXPECT_EQ(failure.reason, PortOpenReason::ServerSilent);
    EXPECT_EQ(why, "no answer from the server");
}

// Runs `body` on a thread of its own inside a new network namespace with its loopback up,
// so that a drop rule there touches nothing else on the machine. Returns why the machine
// does not allow it, or what `body` says it could not do; empty when it ran.
std::string InOwnNetworkNamespace(const std::function<std::string()>& body) {
    std::string skipped;
    std::thread([&] {
        if (::unshare(CLONE_NEWNET) != 0) {
            skipped = std::string("no network namespace of our own (unshare: ") +
                      std::strerror(errno) + "; needs root)";
            return;
        }
        if (std::system("ip link set lo up >/dev/null 2>&1") != 0) {
            skipped = "cannot bring the namespace's loopback up (ip from iproute2)";
            return;
        }
        skipped = body();
    }).join();
    return skipped;
}

// Drops every packet to `port` inside the calling thread's network namespace.
std::string DropPacketsTo(int port) {
    const std::string rules =
        "nft add table inet hygro_test && "
        "nft add chain inet hygro_test input '{ type filter hook input priority 0; }' && "
        "nft add rule inet hygro_test input tcp dport " +
        std::to_string(port) + " drop";
    if (std::system((rules + " >/dev/null 2>&1").c_str()) != 0) {
        return "nft cannot add a drop rule (apt-get install nftables)";
    }
    return {};
}

// A peer whose packets are dropped once the connection stands is found dead: an idle
// connection by its keepalive probes, one with a request in flight by TCP_USER_TIMEOUT.
// Both are shortened here; the program's own (NetPortTimings) come to about 30 s.
TEST(NetPort, APeerWhosePacketsAreDroppedIsAPortGone) {
    struct Case {
        const char* name;
        NetPortTimings timings;
        bool sends;  // a request goes out after the drop
    };
    NetPortTimings keepalive;
    keepalive.keepIdle = std::chrono::seconds(1);
    keepalive.keepInterval = std::chrono::seconds(1);
    keepalive.keepCount = 2;
    keepalive.unacknowledged = std::chrono::milliseconds(0);  // off: keepalive alone decides
    NetPortTimings unacknowledged;
    unacknowledged.keepIdle = std::chrono::seconds(600);
    unacknowledged.unacknowledged = std::chrono::milliseconds(1000);
    const Case cases[] = {{"idle: keepalive", keepalive, false},
                          {"a request unacknowledged", unacknowledged, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool gone = false;
        bool stoodBefore = false;
        const std::string skipped = InOwnNetworkNamespace([&]() -> std::string {
            const WakeFd wake;
            NetPort port(wake.Fd(), c.timings);
            RecordingServer server;
            std::string why;
            if (!port.Open(server.Url("tcp"), &why)) {
                return "cannot connect inside the namespace: " + why;
            }
            server.WaitForBytes(0);
            if (std::string dropped = DropPacketsTo(server.Port()); !dropped.empty()) {
                return dropped;
            }
            stoodBefore = !port.HasHungUp();
            if (c.sends) {
                const Bytes request{'0', '1', 't', '?', 'e', 'n', 'd'};
                port.WriteAndDrain(request.data(), request.size(), 2000);
            }
            gone = WaitUntil([&] { return port.HasHungUp(); });
            return {};
        });
        if (!skipped.empty()) {
            GTEST_SKIP() << skipped;
        }
        EXPECT_TRUE(stoodBefore);
        EXPECT_TRUE(gone);
    }
}

}  // namespace
