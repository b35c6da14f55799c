// The network backend against a recording stand-in for a serial device server.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/net_port_name.h"
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

TEST(NetPort, Rfc2217NegotiatesTheLineAndDoublesFFBothWays) {
    RecordingServer server(kAccepts);
    SerialPort port;
    std::string why;
    ASSERT_TRUE(port.Open(server.Url("rfc2217"), &why)) << why;
    const Bytes expected = Concat(kOffer, kSettings);
    EXPECT_EQ(server.WaitForBytes(expected.size()), expected);

    const Bytes frame{0x30, 0xFF, 0x00, 0xFF, 0xFF};
    ASSERT_EQ(port.WriteAndDrain(frame.data(), frame.size(), 2000), PortIo::Ok);
    const Bytes wire{0x30, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(server.WaitForBytes(expected.size() + wire.size()), Concat(expected, wire));

    // A line-state notification between two data bytes, and a doubled FF cut in two.
    server.Send({0x41, 0xFF, 0xFA, 44, 106, 0x10, 0xFF, 0xF0, 0x42, 0xFF});
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    server.Send({0xFF, 0x43});
    EXPECT_EQ(ReadBytes(port, 4), (Bytes{0x41, 0x42, 0xFF, 0x43}));
    EXPECT_FALSE(port.HasHungUp());
}

TEST(NetPort, RefusedComPortOptionLeavesAPlainTelnetLine) {
    RecordingServer server({0xFF, 0xFE, 44, 0xFF, 0xFD, 3});  // DONT COM-PORT, DO SGA
    SerialPort port;
    std::string why;
    ASSERT_TRUE(port.Open(server.Url("rfc2217"), &why)) << why;
    const Bytes data{0xFF};
    ASSERT_EQ(port.WriteAndDrain(data.data(), data.size(), 2000), PortIo::Ok);
    // The offer, the refusal of SGA, then the data doubled; no line settings.
    const Bytes expected = Concat(kOffer, {0xFF, 0xFC, 3, 0xFF, 0xFF});
    EXPECT_EQ(server.WaitForBytes(expected.size()), expected);
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
    EXPECT_FALSE(port.Open("tcp://127.0.0.1:" + std::to_string(freePort), &why));
    EXPECT_EQ(why, "Connection refused");
    EXPECT_FALSE(port.Open("rfc2217://no-such-host.invalid:2000", &why));
    EXPECT_NE(why.find("no-such-host.invalid"), std::string::npos) << why;
    EXPECT_FALSE(port.Open("tcp://host-without-port", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(port.IsOpen());
}

}  // namespace
