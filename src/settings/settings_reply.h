#pragma once
// The reply to the settings request: fixed byte positions, words high byte first.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "link/instrument_protocol.h"
#include "settings/instrument_settings.h"

// Bytes of the reply that carry settings; anything behind them is ignored.
constexpr std::size_t kSettingsReplyLength = kSettingsReplySize;

enum class SettingsReplyStatus {
    Complete,  // all kSettingsReplyLength bytes arrived
    Short,     // some arrived, the settings behind them are missing
    Missing,   // nothing arrived
};

SettingsReplyStatus ClassifySettingsReply(std::size_t received);

// `reply` holds only the bytes actually received: offsets it does not reach decode as zero
// rather than as whatever an earlier exchange left in the buffer.
InstrumentSettings DecodeSettingsReply(std::span<const std::uint8_t> reply);
