// The COM ports Windows lists, under Wine: scripts/test --windows maps HYGRO_NO_DEVICE_PORT
// ("COM9") and HYGRO_SIM_PORT ("COM10"), which sort differently by value and by text.
#include "link/port_candidates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

TEST(PortCandidates, ListsTheComPortsInNaturalOrder) {
    const char* simPort = std::getenv("HYGRO_SIM_PORT");
    const char* noDevicePort = std::getenv("HYGRO_NO_DEVICE_PORT");
    ASSERT_TRUE(simPort && noDevicePort) << "run these tests through scripts/test --windows";

    const std::vector<std::string> ports = SystemPortCandidates();
    const auto sim = std::find(ports.begin(), ports.end(), simPort);
    const auto noDevice = std::find(ports.begin(), ports.end(), noDevicePort);
    ASSERT_NE(sim, ports.end());
    ASSERT_NE(noDevice, ports.end());
    EXPECT_LT(noDevice, sim) << noDevicePort << " comes before " << simPort;
    EXPECT_TRUE(std::is_sorted(ports.begin(), ports.end(),
                               [](const auto& a, const auto& b) { return NaturalLess(a, b); }));
}

}  // namespace
