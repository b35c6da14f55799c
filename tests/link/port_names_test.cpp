#include <gtest/gtest.h>

#include <algorithm>

#include "link/port_candidates.h"

TEST(PortCandidates, NaturalOrder) {
    std::vector<std::string> names = {"/dev/ttyUSB10", "/dev/ttyS10", "/dev/ttyUSB2",
                                      "/dev/ttyACM0",  "/dev/ttyS2",  "/dev/ttyS0",
                                      "/dev/ttyS002x", "/dev/ttyS1"};
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    const std::vector<std::string> expected = {"/dev/ttyACM0", "/dev/ttyS0",    "/dev/ttyS1",
                                               "/dev/ttyS2",   "/dev/ttyS002x", "/dev/ttyS10",
                                               "/dev/ttyUSB2", "/dev/ttyUSB10"};
    EXPECT_EQ(names, expected);
    EXPECT_FALSE(NaturalLess("ttyS1", "ttyS1"));
    EXPECT_TRUE(NaturalLess("ttyS", "ttyS0"));
}
