#pragma once
// The frame that writes the settings to the instrument ("01m", 45 value bytes, "end") and
// the instrument's acknowledgement of it.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/instrument_protocol.h"
#include "settings/instrument_settings.h"

// Sent whole, zero bytes included: any value byte may be zero.
using SettingsFrame = std::array<std::uint8_t, kSettingsFrameSize>;

SettingsFrame EncodeSettingsFrame(const InstrumentSettings& settings);

// True when the received bytes, up to the first zero byte, are exactly "OK". Looks at no
// more than `received` bytes and never past the end of `reply`.
bool IsSettingsAcknowledged(std::span<const std::uint8_t> reply, std::size_t received);
