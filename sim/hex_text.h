#pragma once
// Bytes as hexadecimal text, two digits a byte, for the simulator's control lines.
// Standard library only.

#include <optional>
#include <string>
#include <string_view>

#include "sim/protocol.h"

namespace sim {

// Upper-case digits, nothing between the bytes.
std::string ToHex(const Bytes& bytes);

// Either case; none for an odd number of digits or anything that is not a digit.
std::optional<Bytes> FromHex(std::string_view text);

}  // namespace sim
