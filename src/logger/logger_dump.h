#pragma once
// The dump of all 256 logger records, one line each, in record order. Free of threads and
// widgets: the caller decides where it runs, where the lines go and how progress shows.

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <functional>

#include "link/instrument_protocol.h"

struct LoggerDumpResult {
    enum class End {
        Complete,   // all 256 lines written
        FileError,  // a line could not be written; fileError holds the errno
        PortGone,   // the port hung up or closed at record `linesWritten`
        Stopped,    // asked to stop, or the link shut down
    };
    End end = End::Complete;
    // Records 0 to linesWritten - 1 are written; when the dump ended early, linesWritten
    // is also the record it had reached.
    int linesWritten = 0;
    int fileError = 0;
};

// Writes one line; 0 or the errno of the failed write.
using LoggerLineWriter = std::function<int(const QByteArray& line)>;
// Called with record number i before record i is requested.
using LoggerDumpProgress = std::function<void(int number)>;

// For each record i from 0 to 255: progress(i), RequestLoggerRecord(i, wait), and the line
// of record i written through `writeLine`. Ends at the first failed write (no further
// record is requested), when the port is gone (the record that was not received gets no
// line), or when `stop` is set or the link shuts down (within the exchange in progress).
// A silent instrument is no reason to stop: its records are written as zeros.
LoggerDumpResult DumpLoggerRecords(
    InstrumentLink& link, const LoggerLineWriter& writeLine, const LoggerDumpProgress& progress,
    const std::atomic<bool>& stop,
    std::chrono::milliseconds wait = kInstrumentWaits.loggerDumpRecord);
