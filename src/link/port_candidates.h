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
