// The peer under Wine: the Linux simulator behind a COM port. scripts/test --windows maps
// the port and starts the simulator with its control channel, and names both here:
//   HYGRO_SIM_PORT        the COM port that leads to the simulator ("COM10")
//   HYGRO_SIM_CONTROL     the simulator's control port on 127.0.0.1
//   HYGRO_NO_DEVICE_PORT  a COM port that is listed but leads to no device
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "common/instrument_peer.h"
#include "common/sim_control_client.h"
#include "sim/hex_text.h"

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

class RemoteInstrumentPeer : public InstrumentPeer {
  public:
    bool Connect(std::string* why) {
        port_ = Environment("HYGRO_SIM_PORT");
        missingPort_ = Environment("HYGRO_NO_DEVICE_PORT");
        const std::string control = Environment("HYGRO_SIM_CONTROL");
        const int controlPort = std::atoi(control.c_str());
        if (port_.empty() || missingPort_.empty() || controlPort <= 0 || controlPort > 65535) {
            *why =
                "HYGRO_SIM_PORT, HYGRO_SIM_CONTROL and HYGRO_NO_DEVICE_PORT must name the "
                "simulator's COM port, its control port and a port without a device: run "
                "these tests through scripts/test --windows";
            return false;
        }
        if (!client_.Connect(static_cast<std::uint16_t>(controlPort), why)) {
            return false;
        }
        const std::string reply = client_.Command("reset");
        if (reply != "ok") {
            *why = "reset: " + reply;
            return false;
        }
        return true;
    }

    std::string PortName() const override { return port_; }
    std::string MissingPortName() const override { return missingPort_; }

    void SetAnswering(bool on) override { Expect(on ? "answers on" : "answers off"); }
    void SetIdentification(const std::string& text) override { Expect("id " + text); }
    void SetMeasurement(const std::array<std::uint8_t, 32>& reply) override {
        Expect("measurement " + sim::ToHex(sim::Bytes(reply.begin(), reply.end())));
    }
    void Send(const PeerBytes& bytes) override { Expect("send " + sim::ToHex(bytes)); }
    // The next peer's reset plugs it in again.
    void HangUp() override { Expect("unplug"); }
    // The link's end is a COM port of Wine behind a bridge: its queue cannot be asked from
    // here, so this waits the time the bridge takes with room to spare.
    void WaitUntilUnread(std::size_t) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }

  protected:
    PeerBytes ReceivedSoFar() override {
        const std::string reply = Expect("received");
        const std::optional<sim::Bytes> bytes =
            sim::FromHex(reply.size() > 3 ? std::string_view(reply).substr(3) : "");
        EXPECT_TRUE(bytes.has_value()) << reply;
        return bytes.value_or(PeerBytes{});
    }
    void ForgetReceived() override { Expect("clear"); }

  private:
    std::string Expect(const std::string& command) {
        const std::string reply = client_.Command(command);
        EXPECT_TRUE(reply == "ok" || reply.rfind("ok ", 0) == 0)
            << command.substr(0, 40) << ": " << reply;
        return reply;
    }

    SimControlClient client_;
    std::string port_;
    std::string missingPort_;
};

}  // namespace

std::unique_ptr<InstrumentPeer> ConnectInstrumentPeer(std::string* why) {
    auto peer = std::make_unique<RemoteInstrumentPeer>();
    if (!peer->Connect(why)) {
        return nullptr;
    }
    return peer;
}
