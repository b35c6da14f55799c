#include "logger/logger_record.h"

#include <algorithm>

namespace {

// A short reply leaves the rest of the record at 0 instead of reading past the reply.
std::uint8_t ByteAt(std::span<const std::uint8_t> reply, std::size_t offset) {
    return offset < reply.size() ? reply[offset] : 0;
}

std::uint16_t Word(std::span<const std::uint8_t> reply, std::size_t offset) {
    return static_cast<std::uint16_t>(ByteAt(reply, offset) << 8 | ByteAt(reply, offset + 1));
}

// The year is "20" followed by the unpadded count, so a count of 7 reads 207.
QByteArray YearText(const LoggerRecord& record) {
    return "20" + QByteArray::number(record.YearCount);
}

QByteArray TimeText(const LoggerRecord& record) {
    return QByteArray::number(record.Hours) + ':' + QByteArray::number(record.Minutes) + ':' +
           QByteArray::number(record.Seconds);
}

}  // namespace

LoggerRecord DecodeLoggerRecord(std::span<const std::uint8_t> reply) {
    LoggerRecord record;
    record.Humidity = static_cast<std::int16_t>(Word(reply, 0));
    record.Temperature = static_cast<std::int16_t>(Word(reply, 2));
    record.Status = ByteAt(reply, 4);
    const std::uint16_t time = Word(reply, 5);
    record.Hours = static_cast<std::uint8_t>(time >> 11);
    record.Minutes = static_cast<std::uint8_t>((time & 0x7FF) >> 5);
    record.Seconds = static_cast<std::uint8_t>((time & 0x1F) * 2);
    const std::uint16_t date = Word(reply, 7);
    record.YearCount = static_cast<std::uint8_t>(date >> 9);
    record.Month = static_cast<std::uint8_t>((date & 0x1FF) >> 5);
    record.Day = static_cast<std::uint8_t>(date & 0x1F);
    record.ObjectId = ByteAt(reply, 9);
    record.RecordNumber = ByteAt(reply, 10);
    return record;
}

std::array<std::uint8_t, kLoggerRequestSize> LoggerRequestBytes(std::uint8_t number) {
    std::array<std::uint8_t, kLoggerRequestSize> bytes{};
    static_assert(kLoggerRequestTemplate.size() == bytes.size());
    std::copy(kLoggerRequestTemplate.begin(), kLoggerRequestTemplate.end(), bytes.begin());
    bytes[3] = number;
    return bytes;
}

LoggerTabTexts FormatLoggerTab(const LoggerRecord& record) {
    LoggerTabTexts texts;
    texts.RecordNumber = QString::number(record.RecordNumber);
    texts.ObjectId = QString::number(record.ObjectId);
    texts.Humidity = QString::number(record.Humidity);
    texts.Temperature = QString::number(record.Temperature);
    texts.Date = QString::fromLatin1(QByteArray::number(record.Day) + '/' +
                                     QByteArray::number(record.Month) + '/' + YearText(record));
    texts.Time = QString::fromLatin1(TimeText(record));
    texts.Status = QString::number(record.Status);
    return texts;
}

QByteArray LoggerDumpLine(int requestedNumber, const LoggerRecord& record) {
    // Date in year-month-day order here, unlike the tab; object id before status.
    return QByteArray::number(requestedNumber) + '\t' + YearText(record) + '-' +
           QByteArray::number(record.Month) + '-' + QByteArray::number(record.Day) + '\t' +
           TimeText(record) + '\t' + QByteArray::number(record.Humidity) + '\t' +
           QByteArray::number(record.Temperature) + '\t' + QByteArray::number(record.ObjectId) +
           '\t' + QByteArray::number(record.Status) + "\r\n";
}
