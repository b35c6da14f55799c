#pragma once
// The two exchanges of the Settings tab with the instrument: reading its settings and
// writing them back as the settings frame. Each runs inside an exchange the caller holds.

#include <cstddef>

#include "link/instrument_link.h"
#include "link/instrument_protocol.h"
#include "settings/instrument_settings.h"
#include "settings/settings_reply.h"

// The command buffer's head that a settings write zeroes afterwards: the frame up to and
// including its trailer's first letter.
constexpr std::size_t kSettingsFrameClearLength = 49;

struct SettingsReadResult {
    RequestOutcome outcome = RequestOutcome::NoReply;
    SettingsReplyStatus status = SettingsReplyStatus::Missing;
    std::size_t received = 0;  // bytes the read brought
    // Decoded from the bytes that arrived only; to be shown only when status is Complete.
    InstrumentSettings settings;
};

// Sends "01s?end", gives the instrument its time, reads and decodes the reply, then zeroes
// ReplyBuffer. A request that could not be sent is not waited for.
SettingsReadResult ReadSettingsExchange(
    Exchange& exchange, std::chrono::milliseconds wait = kInstrumentWaits.settingsRead);

// Lays out the frame for `settings` in CommandBuffer, sends all of it, reads the answer and
// zeroes the frame's head in CommandBuffer, whatever the answer. ReplyBuffer keeps the
// answer.
struct SettingsWriteResult {
    RequestOutcome outcome = RequestOutcome::NoReply;
    bool acknowledged = false;  // the instrument answered exactly "OK"
};
SettingsWriteResult WriteInstrumentSettings(
    Exchange& exchange, const InstrumentSettings& settings,
    std::chrono::milliseconds wait = kInstrumentWaits.settingsAck);
