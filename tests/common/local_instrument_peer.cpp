// The peer on Linux: the simulator in this process, on a pseudo-terminal of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "common/instrument_peer.h"
#include "sim/instrument_simulator.h"

namespace {

class LocalInstrumentPeer : public InstrumentPeer {
  public:
    bool Start(std::string* why) { return simulator_.Start(why); }

    std::string PortName() const override { return simulator_.SlavePath(); }
    std::string MissingPortName() const override { return "/dev/hygrometer-test-no-such-port"; }

    void SetAnswering(bool on) override {
        simulator_.SetSilent(on ? 0 : sim::InstrumentSimulator::kEvery);
    }
    void SetIdentification(const std::string& text) override { simulator_.SetIdentification(text); }
    void SetMeasurement(const std::array<std::uint8_t, 32>& reply) override {
        simulator_.SetFixedMeasurement(reply);
    }
    void Send(const PeerBytes& bytes) override {
        EXPECT_TRUE(simulator_.Transmit(bytes)) << "the simulator could not send";
    }
    void HangUp() override {
        EXPECT_TRUE(simulator_.Unplug()) << "the simulator was not plugged in";
    }
    void WaitUntilUnread(std::size_t count) override {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (simulator_.UnreadByClient() < count) {
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << simulator_.UnreadByClient() << " of " << count
                              << " bytes reached the port";
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

  protected:
    PeerBytes ReceivedSoFar() override { return simulator_.ReceivedBytes(); }
    void ForgetReceived() override { simulator_.ClearRequests(); }

  private:
    sim::InstrumentSimulator simulator_;
};

}  // namespace

std::unique_ptr<InstrumentPeer> ConnectInstrumentPeer(std::string* why) {
    auto peer = std::make_unique<LocalInstrumentPeer>();
    if (!peer->Start(why)) {
        return nullptr;
    }
    return peer;
}
