#include "settings/settings_exchange.h"

#include <algorithm>
#include <span>

#include "settings/settings_frame.h"

static_assert(kSettingsFrameClearLength <= kSettingsFrameSize);

SettingsReadResult ReadSettingsExchange(Exchange& exchange, std::chrono::milliseconds wait) {
    SettingsReadResult result;
    exchange.PutTextCommand(kSettingsRequest);
    result.outcome = SendWaitRead(exchange, RequestShape::Text, wait);
    if (result.outcome == RequestOutcome::Replied) {
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

SettingsWriteResult WriteInstrumentSettings(Exchange& exchange, const InstrumentSettings& settings,
                                            std::chrono::milliseconds wait) {
    CommandBytes& command = exchange.CommandBuffer();
    const SettingsFrame frame = EncodeSettingsFrame(settings);
    std::copy(frame.begin(), frame.end(), command.begin());

    SettingsWriteResult result;
    result.outcome = SendWaitRead(exchange, RequestShape::SettingsFrame, wait);
    if (result.outcome == RequestOutcome::Replied) {
        result.acknowledged =
            IsSettingsAcknowledged(exchange.ReplyBuffer(), exchange.LastReadCount());
    }
    std::fill_n(command.begin(), kSettingsFrameClearLength, std::uint8_t{0});
    return result;
}
