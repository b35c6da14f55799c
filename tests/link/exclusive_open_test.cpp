// The port is the link's alone while it is open. Wine shares COM ports, so this runs on
// Linux only (Windows itself never shares one).
#include <gtest/gtest.h>

#include "link_fixture.h"

namespace {

TEST_F(LinkTest, SecondOpenOfTheSamePortIsRefused) {
    InstrumentLink other;
    auto ex = other.BeginExchange();
    std::string why;
    EXPECT_FALSE(ex.OpenInstrumentPort(peer->PortName(), &why));
    EXPECT_FALSE(why.empty());
}

}  // namespace
