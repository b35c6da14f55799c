#pragma once
// One record of the instrument's internal logger: the request for it, the decoding of its
// 11-byte reply, and its texts on the Logger tab and in the dump file "logged.txt".

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/instrument_protocol.h"

struct LoggerRecord {
    std::int16_t Humidity = 0;
    std::int16_t Temperature = 0;
    std::uint8_t Status = 0;
    std::uint8_t Hours = 0;      // 0-31
    std::uint8_t Minutes = 0;    // 0-63
    std::uint8_t Seconds = 0;    // 0-62, always even
    std::uint8_t YearCount = 0;  // 0-127, shown after "20"
    std::uint8_t Month = 0;      // 0-15
    std::uint8_t Day = 0;        // 0-31
    std::uint8_t ObjectId = 0;
    std::uint8_t RecordNumber = 0;

    bool operator==(const LoggerRecord&) const = default;
};

// Reads bytes 0 to 10 of `reply` and nothing else; bytes the reply does not reach read as
// 0. The time and date words are packed like FAT time and date words, but the year count
// is not based on 1980. Nothing is range-checked.
LoggerRecord DecodeLoggerRecord(std::span<const std::uint8_t> reply);

// "01r", the record number as one binary byte, "?end": always all eight bytes, also for
// record 0.
std::array<std::uint8_t, kLoggerRequestSize> LoggerRequestBytes(std::uint8_t number);

struct LoggerTabTexts {
    QString RecordNumber;
    QString ObjectId;
    QString Humidity;
    QString Temperature;
    QString Date;
    QString Time;
    QString Status;

    bool operator==(const LoggerTabTexts&) const = default;
};

LoggerTabTexts FormatLoggerTab(const LoggerRecord& record);

// The dump file's line for the requested record number (not the number the reply carries):
// number, 20yearcount-month-day, time, humidity, temperature, object id, status, TAB
// separated and ended by CR LF. ASCII only.
QByteArray LoggerDumpLine(int requestedNumber, const LoggerRecord& record);
