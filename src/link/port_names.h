#pragma once
// Names of serial ports, the same on every system: their order, and the device path that
// opens a Windows COM port.

#include <string>
#include <string_view>

// "ttyS2" before "ttyS10", "COM9" before "COM10": runs of digits compare by value,
// everything else bytewise.
bool NaturalLess(std::string_view a, std::string_view b);

// The path Windows opens a COM port by: "COM12" gives "\\.\COM12" (without the prefix only
// COM1 to COM9 open); a name that already has the prefix is kept as it is.
std::string ComPortDevicePath(std::string_view port);
