#pragma once
// The symbolic link that stands for the simulated instrument's port, like the stable
// /dev/serial/by-id names of a real adapter: it follows the instrument to each new
// pseudo-terminal when it is plugged in again.

#include <string>

namespace sim {

// Makes `link` a symbolic link to `target`, replacing a symbolic link already there (never
// anything else); false with the reason in `error`.
bool MakeTerminalLink(const std::string& link, const std::string& target, std::string* error);

// Removes `link` if it is still a symbolic link to `target`.
void RemoveTerminalLink(const std::string& link, const std::string& target);

}  // namespace sim
