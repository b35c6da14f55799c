#pragma once
// The instrument's waits shortened for tests of the logic around them; the simulator answers
// at once, so these are long enough for every reply.

#include <chrono>

#include "link/instrument_protocol.h"

inline constexpr ProtocolWaits kQuickWaits{
    .identification = std::chrono::milliseconds(60),
    .version = std::chrono::milliseconds(60),
    .measurement = std::chrono::milliseconds(80),
    .pollPause = std::chrono::milliseconds(80),
    .settingsRead = std::chrono::milliseconds(60),
    .settingsAck = std::chrono::milliseconds(60),
    .loggerRecord = std::chrono::milliseconds(60),
    .loggerDumpRecord = std::chrono::milliseconds(30),
};
