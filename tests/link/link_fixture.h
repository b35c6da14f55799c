#pragma once
// A link with its port open to the instrument peer, which stays silent: the tests play the
// instrument by hand (Send, TakeReceived, HangUp).

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>

#include "common/instrument_peer.h"
#include "link/instrument_link.h"

class LinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        peer = ConnectInstrumentPeer(&why);
        ASSERT_TRUE(peer) << why;
        peer->SetAnswering(false);
        auto ex = link.BeginExchange();
        ASSERT_TRUE(ex.OpenInstrumentPort(peer->PortName(), &why)) << why;
    }

    // Waits until the `count` bytes the instrument sent are queued on the port.
    void SettleLine(std::size_t count) { peer->WaitUntilUnread(count); }

    std::unique_ptr<InstrumentPeer> peer;
    InstrumentLink link;  // closed before the peer goes away
};
