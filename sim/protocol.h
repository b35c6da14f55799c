#pragma once
// The instrument's side of the serial protocol: request kinds, their sizes on the wire and
// the sizes of the replies the simulator sends. Standard library only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace sim {

using Bytes = std::vector<std::uint8_t>;

enum class RequestKind {
    Identification,  // "01i?end"
    Version,         // "01v?end"
    Measurement,     // "01t?end"
    SettingsRead,    // "01s?end"
    LoggerRecord,    // "01r" + one binary record number + "?end"
    SettingsFrame,   // "01m" + 45 value bytes + "end" (or its first 42 bytes)
};
constexpr std::size_t kRequestKindCount = 6;

std::string_view ToString(RequestKind kind);

constexpr std::size_t kTextRequestSize = 7;          // "01i?end", "01v?end", "01t?end", "01s?end"
constexpr std::size_t kLoggerRequestSize = 8;        // "01r" N "?end"
constexpr std::size_t kSettingsFrameSize = 51;       // "01m", 45 value bytes, "end"
constexpr std::size_t kShortSettingsFrameSize = 42;  // offsets 0..41 of the frame

constexpr std::size_t kVersionReplySize = 12;  // version at 5, revision 6, serial 7..8
constexpr std::size_t kMeasurementReplySize = 32;
constexpr std::size_t kSettingsReplySize = 49;
constexpr std::size_t kLoggerRecordSize = 11;
constexpr std::size_t kLoggerRecordCount = 256;

using MeasurementReply = std::array<std::uint8_t, kMeasurementReplySize>;
using SettingsReply = std::array<std::uint8_t, kSettingsReplySize>;
using LoggerRecordReply = std::array<std::uint8_t, kLoggerRecordSize>;

// The bytes of a text, without any terminating zero.
Bytes ToBytes(std::string_view text);

// A request as it is written on the wire: "01" + letter + "?end" for the text requests,
// "01r" + number + "?end" for a logger record.
Bytes TextRequest(char letter);
Bytes LoggerRequest(std::uint8_t recordNumber);

}  // namespace sim
