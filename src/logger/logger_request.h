#pragma once
// One logger record fetched from the instrument: request, wait, read and decode in one
// exchange, so a measurement poll can never read the record's reply or the other way round.

#include <chrono>
#include <cstdint>

#include "logger/logger_record.h"

class InstrumentLink;

struct LoggerRequestResult {
    LoggerRecord record;       // all zero unless a reply was read
    bool portGone = false;     // no port, or it hung up: nothing was or will be received
    bool interrupted = false;  // the link shut down during the wait: nothing was read
};

// Clears both buffers, sends the eight-byte request for record `number`, clears them again
// (reply bytes that do not arrive read as 0), waits `wait`, reads up to 512 bytes and
// decodes bytes 0 to 10. ReplyBuffer is zeroed before the exchange ends, because the next
// poll reads its own reply over whatever is left there.
LoggerRequestResult RequestLoggerRecord(InstrumentLink& link, std::uint8_t number,
                                        std::chrono::milliseconds wait);
