#pragma once
// The serial ports the scan tries, in the order it tries them. One implementation per
// system: port_candidates_linux.cpp, port_candidates_win32.cpp.

#include <string>
#include <vector>

#include "link/port_names.h"

// Linux: the serial devices the system lists under /sys/class/tty that have a real driver,
// without the kernel console's port and without placeholder UARTs, as /dev paths.
// Windows: the COM ports listed under HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, as "COMn".
// Both in natural order.
std::vector<std::string> SystemPortCandidates();

// False once the device node of an open port has gone (the adapter was pulled while its
// descriptor stays quiet). True for an empty path. Always true on Windows, where a pulled
// adapter shows through the open port itself (its status query fails).
bool PortDevicePresent(const std::string& path);

// The stable names that lead to the same device as `path` (the links under
// /dev/serial/by-id and /dev/serial/by-path), found while the device is there, so the port
// can be found again under them after a replug. None on Windows, where an adapter gets its
// COM number back when it is plugged in again.
std::vector<std::string> StablePortAliases(const std::string& path);
