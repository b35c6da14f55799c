#include "link/port_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(PortNames, NaturalOrder) {
    std::vector<std::string> names = {
        "/dev/ttyUSB10", "/dev/ttyS10", "/dev/ttyUSB2", "/dev/ttyACM0", "/dev/ttyS2", "/dev/ttyS0",
        "/dev/ttyS002x", "/dev/ttyS1",  "COM10",        "COM9",         "COM1"};
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    const std::vector<std::string> expected = {
        "/dev/ttyACM0", "/dev/ttyS0",    "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS002x", "/dev/ttyS10",
        "/dev/ttyUSB2", "/dev/ttyUSB10", "COM1",       "COM9",       "COM10"};
    EXPECT_EQ(names, expected);
    EXPECT_FALSE(NaturalLess("ttyS1", "ttyS1"));
    EXPECT_TRUE(NaturalLess("ttyS", "ttyS0"));
}

TEST(PortNames, ComPortsOpenByTheirDevicePath) {
    struct Case {
        const char* port;
        const char* devicePath;
    };
    const Case cases[] = {
        {"COM1", "\\\\.\\COM1"},
        {"COM10", "\\\\.\\COM10"},  // COM10 and up open only this way
        {"com3", "\\\\.\\com3"},
        {"\\\\.\\COM255", "\\\\.\\COM255"},  // given with the prefix: kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        EXPECT_EQ(ComPortDevicePath(c.port), c.devicePath);
    }
}

}  // namespace
