#include "link/instrument_protocol.h"

namespace {

SendOutcome Send(Exchange& exchange, RequestShape shape) {
    switch (shape) {
        case RequestShape::SettingsFrame:
            return exchange.SendCount(kSettingsFrameSize);
        case RequestShape::LoggerRequest:
            return exchange.SendCount(kLoggerRequestSize);
        case RequestShape::Text:
            break;
    }
    return exchange.SendTextCommand();
}

}  // namespace

RequestOutcome SendWaitRead(Exchange& exchange, RequestShape shape, std::chrono::milliseconds wait,
                            bool clearAfterSend) {
    const SendOutcome sent = Send(exchange, shape);
    if (clearAfterSend) {
        exchange.ClearBuffers();
    }
    switch (sent) {
        case SendOutcome::NotOpen:
        case SendOutcome::PortGone:
            return RequestOutcome::PortGone;
        case SendOutcome::GaveUp:
            return RequestOutcome::NoReply;
        case SendOutcome::Sent:
            break;
    }
    if (!exchange.Sleep(wait)) {
        return RequestOutcome::Interrupted;
    }
    if (exchange.ReadReply(kReplyBufferSize)) {
        return RequestOutcome::Replied;
    }
    return exchange.PortGone() ? RequestOutcome::PortGone : RequestOutcome::NoReply;
}
