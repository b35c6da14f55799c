#include "common/instrument_peer.h"

#include <chrono>
#include <thread>

PeerBytes InstrumentPeer::TakeReceived() {
    using Clock = std::chrono::steady_clock;
    constexpr auto kQuiet = std::chrono::milliseconds(100);
    constexpr auto kLongest = std::chrono::seconds(3);  // a peer that never goes quiet
    const auto start = Clock::now();
    auto lastChange = start;
    PeerBytes received = ReceivedSoFar();
    while (Clock::now() - lastChange < kQuiet && Clock::now() - start < kLongest) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        PeerBytes now = ReceivedSoFar();
        if (now.size() != received.size()) {
            received = std::move(now);
            lastChange = Clock::now();
        }
    }
    ForgetReceived();
    return received;
}
