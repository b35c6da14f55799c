#pragma once
// The serial ports the scan tries, in the order it tries them.

#include <string>
#include <string_view>
#include <vector>

// "ttyS2" before "ttyS10": runs of digits compare by value, everything else bytewise.
bool NaturalLess(std::string_view a, std::string_view b);

// Serial devices the system lists under /sys/class/tty that have a real driver, without
// the kernel console's port and without placeholder UARTs, as /dev paths in natural order.
std::vector<std::string> SystemPortCandidates();

// False once the device node of an open port has gone (the adapter was pulled while its
// descriptor stays quiet). True for an empty path.
bool PortDevicePresent(const std::string& path);

// The stable names that lead to the same device as `path` (the links under
// /dev/serial/by-id and /dev/serial/by-path), found while the device is there, so the port
// can be found again under them after a replug.
std::vector<std::string> StablePortAliases(const std::string& path);
