#include "settings/settings_exchange.h"

#include <algorithm>
#include <span>

#include "settings/settings_frame.h"

static_assert(kSettingsFrameClearLength <= kSettingsFrameLength);

SettingsReadResult ReadSettingsExchange(Exchange& exchange) {
    SettingsReadResult result;
    exchange.PutTextCommand(kSettingsRequest);
    if (exchange.SendTextCommand() == SendOutcome::Sent && exchange.Sleep(kSettingsReplyWait) &&
        exchange.ReadReply(kReplyBufferSize)) {
        result.received = exchange.LastReadCount();
    }
    result.status = ClassifySettingsReply(result.received);
    // Only the bytes that arrived: whatever an earlier exchange left behind them is not
    // this instrument's answer.
    result.settings = DecodeSettingsReply(std::span<const std::uint8_t>(exchange.ReplyBuffer())
                                              .first(std::min(result.received, kReplyBufferSize)));
    exchange.ClearReplyBuffer();
    return result;
}

bool WriteInstrumentSettings(Exchange& exchange, const InstrumentSettings& settings) {
    CommandBytes& command = exchange.CommandBuffer();
    const SettingsFrame frame = EncodeSettingsFrame(settings);
    std::copy(frame.begin(), frame.end(), command.begin());

    bool acknowledged = false;
    if (exchange.SendSettingsFrame() == SendOutcome::Sent && exchange.Sleep(kSettingsAckWait) &&
        exchange.ReadReply(kReplyBufferSize)) {
        acknowledged = IsSettingsAcknowledged(exchange.ReplyBuffer(), exchange.LastReadCount());
    }
    std::fill_n(command.begin(), kSettingsFrameClearLength, std::uint8_t{0});
    return acknowledged;
}
