// The network backend through Debian's ser2net in front of the instrument simulator's
// pseudo-terminal, once as an RFC 2217 server and once raw.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "common/instrument_peer.h"
#include "common/ser2net.h"
#include "link/discovery.h"
#include "link/serial_port.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Opens `name`, retrying while ser2net starts (long deadline).
bool OpenWhenReady(SerialPort& port, const std::string& name, std::string* why) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
        if (port.Open(name, why)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

Bytes ReadBytes(SerialPort& port, std::size_t count) {
    Bytes out;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (out.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::uint8_t buffer[128];
        const auto n = port.ReadAvailable(buffer, sizeof buffer);
        out.insert(out.end(), buffer, buffer + n);
        if (n == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    return out;
}

Bytes EveryByteValue() {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) {
        all[i] = static_cast<std::uint8_t>(i);
    }
    return all;
}

class Ser2netTest : public ::testing::TestWithParam<bool> {};

TEST_P(Ser2netTest, EveryByteValuePassesBothWaysAndADropIsAPortGone) {
    if (!Ser2net::Installed()) {
        GTEST_SKIP() << "ser2net is not installed (apt-get install ser2net)";
    }
    std::string why;
    auto peer = ConnectInstrumentPeer(&why);
    ASSERT_TRUE(peer) << why;
    const bool rfc2217 = GetParam();
    Ser2net server(peer->PortName(), rfc2217);
    const std::string name = server.Name();

    SerialPort port;
    ASSERT_TRUE(OpenWhenReady(port, name, &why)) << why;
    port.Close();
    {
        // The instrument answers the identification request through the server, with the
        // protocol's own waits; the port is named as given.
        InstrumentLink link;
        const DiscoveryResult found = DiscoverInstrument(link, {name});
        ASSERT_TRUE(found.found);
        EXPECT_EQ(found.port, name);
        link.BeginExchange().CloseInstrumentPort();
    }
    peer->SetAnswering(false);
    peer->TakeReceived(7);  // the identification request, "01i?end"
    ASSERT_TRUE(OpenWhenReady(port, name, &why)) << why;
    const Bytes all = EveryByteValue();
    ASSERT_EQ(port.WriteAndDrain(all.data(), all.size(), 5000), PortIo::Ok);
    EXPECT_EQ(peer->TakeReceived(all.size()), all);
    peer->Send(all);
    EXPECT_EQ(ReadBytes(port, all.size()), all);

    server.Stop();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!port.HasHungUp() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(port.HasHungUp());

    server.Start();
    ASSERT_TRUE(OpenWhenReady(port, name, &why)) << why;
    const Bytes frame{0x30, 0x31, 0xFF, 0x00, 0xFF};
    ASSERT_EQ(port.WriteAndDrain(frame.data(), frame.size(), 2000), PortIo::Ok);
    EXPECT_EQ(peer->TakeReceived(frame.size()), frame);
}

INSTANTIATE_TEST_SUITE_P(Accepters, Ser2netTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Rfc2217" : "Raw"; });

}  // namespace
