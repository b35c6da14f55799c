// The network backend against a recording stand-in for a serial device server.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include "link/net_port_name.h"
#include "link/port_candidates.h"
#include "link/serial_port.h"
#include "recording_server.h"

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
// once, not at every reconnect.
TEST(NetPort, ARefusedComPortOptionIsSaidOnce) {
    const Bytes refusal{0xFF, 0xFE, 44};  // DONT COM-PORT-OPTION
    SerialPort port;
    std::string why;
    testing::internal::CaptureStderr();
    for (int open = 0; open < 2; ++open) {
        RecordingServer server(refusal);
        ASSERT_TRUE(port.Open(server.Url("rfc2217"), &why)) << why;
        EXPECT_EQ(server.WaitForBytes(kOffer.size()), kOffer) << "no line settings";
        port.Close();
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("does not take serial line settings (RFC 2217)"), std::string::npos)
        << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
}

// With a notice given, the refusal goes there, once, named by the port, and nothing to
// standard error: the layer above says it in the program's language.
TEST(NetPort, ARefusedComPortOptionGoesToTheNoticeGiven) {
    const Bytes refusal{0xFF, 0xFE, 44};  // DONT COM-PORT-OPTION
    SerialPort port;
    std::vector<std::string> noticed;
    port.SetLineSettingsRefusedNotice([&](const std::string& name) { noticed.push_back(name); });
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

}  // namespace
