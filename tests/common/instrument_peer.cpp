#include "common/instrument_peer.h"

#include <chrono>
#include <thread>

PeerBytes InstrumentPeer::TakeReceived(std::size_t count) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    PeerBytes received = ReceivedSoFar();
    while (received.size() < count && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        received = ReceivedSoFar();
    }
    ForgetReceived();
    return received;
}
