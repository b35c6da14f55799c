#include "logger/logger_request.h"

#include <algorithm>

#include "link/instrument_link.h"
#include "link/instrument_protocol.h"

LoggerRequestResult RequestLoggerRecord(InstrumentLink& link, std::uint8_t number,
                                        std::chrono::milliseconds wait) {
    LoggerRequestResult result;
    Exchange ex = link.BeginExchange();
    ex.ClearBuffers();
    const auto request = LoggerRequestBytes(number);
    std::copy(request.begin(), request.end(), ex.CommandBuffer().begin());
    switch (SendWaitRead(ex, RequestShape::LoggerRequest, wait, true)) {
        case RequestOutcome::PortGone:
            result.portGone = true;
            return result;
        case RequestOutcome::Interrupted:
            result.interrupted = true;
            return result;
        case RequestOutcome::Replied:
        case RequestOutcome::NoReply:
            break;
    }
    result.record = DecodeLoggerRecord(ex.ReplyBuffer());
    ex.ClearReplyBuffer();
    return result;
}
