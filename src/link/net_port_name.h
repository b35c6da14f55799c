#pragma once
// Port names that address a serial device server instead of a local device:
// "rfc2217://HOST:PORT" (telnet with the COM-PORT-OPTION) and "tcp://HOST:PORT" (raw bytes).

#include <optional>
#include <string>
#include <string_view>

struct NetPortName {
    bool rfc2217 = false;
    std::string host;  // without the brackets of an IPv6 literal
    std::string service;
};

// True when `name` starts with one of the two schemes (it may still be malformed).
bool IsNetPortName(std::string_view name);

// The parts of a well-formed name; nothing for a malformed one (no host, no port, a port
// outside 1..65535).
std::optional<NetPortName> ParseNetPortName(std::string_view name);
