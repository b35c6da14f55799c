#include "logger/logger_request.h"

#include <algorithm>

#include "link/instrument_link.h"

LoggerRequestResult RequestLoggerRecord(InstrumentLink& link, std::uint8_t number,
                                        std::chrono::milliseconds wait) {
    LoggerRequestResult result;
    Exchange ex = link.BeginExchange();
    ex.ClearBuffers();
    const auto request = LoggerRequestBytes(number);
    std::copy(request.begin(), request.end(), ex.CommandBuffer().begin());
    const SendOutcome sent = ex.SendLoggerRequest();
    ex.ClearBuffers();
    if (sent == SendOutcome::NotOpen || sent == SendOutcome::PortGone) {
        result.portGone = true;
        return result;
    }
    if (!ex.Sleep(wait)) {
        result.interrupted = true;
        return result;
    }
    ex.ReadReply(kReplyBufferSize);
    if (ex.PortGone()) {
        result.portGone = true;
        return result;
    }
    result.record = DecodeLoggerRecord(ex.ReplyBuffer());
    ex.ClearReplyBuffer();
    return result;
}
