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
