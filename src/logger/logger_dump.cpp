#include "logger/logger_dump.h"

#include "link/instrument_link.h"
#include "logger/logger_record.h"
#include "logger/logger_request.h"

namespace {

// Between two records the lock is let go for a moment: a poll that waits for it gets its
// turn instead of losing every race to the dump's next request for half a minute.
constexpr std::chrono::milliseconds kGapBetweenRecords{2};

}  // namespace

LoggerDumpResult DumpLoggerRecords(InstrumentLink& link, const LoggerLineWriter& writeLine,
                                   const LoggerDumpProgress& progress,
                                   const std::atomic<bool>& stop, std::chrono::milliseconds wait) {
    LoggerDumpResult result;
    for (int number = 0; number < kLoggerRecordCount; ++number) {
        if (progress) {
            progress(number);
        }
        if (stop.load() || link.ShuttingDown()) {
            result.end = LoggerDumpResult::End::Stopped;
            return result;
        }
        const LoggerRequestResult got =
            RequestLoggerRecord(link, static_cast<std::uint8_t>(number), wait);
        if (got.interrupted) {
            result.end = LoggerDumpResult::End::Stopped;
            return result;
        }
        if (got.portGone) {
            result.end = LoggerDumpResult::End::PortGone;
            return result;
        }
        if (const int err = writeLine(LoggerDumpLine(number, got.record)); err != 0) {
            result.end = LoggerDumpResult::End::FileError;
            result.fileError = err;
            return result;
        }
        ++result.linesWritten;
        if (number + 1 < kLoggerRecordCount && !link.Pause(kGapBetweenRecords)) {
            result.end = LoggerDumpResult::End::Stopped;
            return result;
        }
    }
    return result;
}
