// The Windows build has no network backend: a serial device server's address is refused
// with a reason the operator can act on, before it could reach CreateFile as a file name.
#include <gtest/gtest.h>

#include <string>

#include "link/serial_port.h"

namespace {

TEST(NetPortOnWindows, AnAddressIsRefusedWithItsReason) {
    for (const char* name : {"rfc2217://127.0.0.1:2000", "tcp://bench-7:4001"}) {
        SCOPED_TRACE(name);
        SerialPort port;
        std::string why;
        EXPECT_FALSE(port.Open(name, &why));
        EXPECT_EQ(why, "serial device servers are reached from the Linux build only");
        EXPECT_FALSE(port.IsOpen());
    }
}

}  // namespace
