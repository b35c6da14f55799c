#include "logger/logger_record.h"
#include "example_record.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <ostream>
#include <vector>

void PrintTo(const LoggerRecord& r, std::ostream* os) {
    *os << "{Humidity " << r.Humidity << ", Temperature " << r.Temperature << ", Status "
        << int{r.Status} << ", time " << int{r.Hours} << ":" << int{r.Minutes} << ":"
        << int{r.Seconds} << ", date " << int{r.YearCount} << "-" << int{r.Month} << "-"
        << int{r.Day} << ", ObjectId " << int{r.ObjectId} << ", RecordNumber "
        << int{r.RecordNumber} << "}";
}

void PrintTo(const LoggerTabTexts& t, std::ostream* os) {
    *os << "{RecordNumber " << t.RecordNumber.toStdString() << ", ObjectId "
        << t.ObjectId.toStdString() << ", Humidity " << t.Humidity.toStdString() << ", Temperature "
        << t.Temperature.toStdString() << ", Date " << t.Date.toStdString() << ", Time "
        << t.Time.toStdString() << ", Status " << t.Status.toStdString() << "}";
}

namespace {

const std::vector<std::uint8_t>& kExample = kExampleRecordBytes;

std::vector<std::uint8_t> Reply(std::initializer_list<std::pair<std::size_t, std::uint8_t>> set) {
    std::vector<std::uint8_t> bytes(kLoggerReplySize, 0);
    for (auto [offset, value] : set) {
        bytes[offset] = value;
    }
    return bytes;
}

struct RequestCase {
    std::uint8_t number;
    std::array<std::uint8_t, 8> expected;
};

TEST(LoggerRequestBytes, CarriesTheNumberAsOneBinaryByte) {
    const RequestCase cases[] = {
        {0, {0x30, 0x31, 0x72, 0x00, 0x3F, 0x65, 0x6E, 0x64}},
        {7, {0x30, 0x31, 0x72, 0x07, 0x3F, 0x65, 0x6E, 0x64}},
        {255, {0x30, 0x31, 0x72, 0xFF, 0x3F, 0x65, 0x6E, 0x64}},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(int{c.number});
        EXPECT_EQ(LoggerRequestBytes(c.number), c.expected);
    }
}

struct DecodeCase {
    const char* name;
    std::vector<std::uint8_t> reply;
    LoggerRecord expected;
};

TEST(DecodeLoggerRecord, UnpacksTheElevenBytes) {
    const DecodeCase cases[] = {
        {"silent instrument", {}, {}},
        {"all zero", Reply({}), {}},
        {"humidity FF 9C", Reply({{0, 0xFF}, {1, 0x9C}}), {.Humidity = -100}},
        {"humidity 80 00", Reply({{0, 0x80}}), {.Humidity = -32768}},
        {"temperature FD F5", Reply({{2, 0xFD}, {3, 0xF5}}), {.Temperature = -523}},
        {"status FF", Reply({{4, 0xFF}}), {.Status = 255}},
        {"time word 4A 62",
         Reply({{5, 0x4A}, {6, 0x62}}),
         {.Hours = 9, .Minutes = 19, .Seconds = 4}},
        {"time word FF FF",
         Reply({{5, 0xFF}, {6, 0xFF}}),
         {.Hours = 31, .Minutes = 63, .Seconds = 62}},
        {"date word 18 65", Reply({{7, 0x18}, {8, 0x65}}), {.YearCount = 12, .Month = 3, .Day = 5}},
        {"date word 0E 65", Reply({{7, 0x0E}, {8, 0x65}}), {.YearCount = 7, .Month = 3, .Day = 5}},
        {"date word FF FF",
         Reply({{7, 0xFF}, {8, 0xFF}}),
         {.YearCount = 127, .Month = 15, .Day = 31}},
        {"example record 7", kExample, kExampleRecord},
        {"bytes past 10 ignored",
         {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x07, 0xFF, 0xFF, 0xFF},
         {.ObjectId = 3, .RecordNumber = 7}},
        {"short reply ends inside the time word",
         {0x11, 0xA0, 0xFD, 0xF5, 0x01, 0x4A},
         {.Humidity = 4512, .Temperature = -523, .Status = 1, .Hours = 9, .Minutes = 16}},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeLoggerRecord(c.reply), c.expected);
    }
}

struct TabCase {
    const char* name;
    std::vector<std::uint8_t> reply;
    LoggerTabTexts expected;
};

TEST(FormatLoggerTab, ShowsEachFieldUnpadded) {
    const TabCase cases[] = {
        {"silent instrument", {}, {"0", "0", "0", "0", "0/0/200", "0:0:0", "0"}},
        {"example record 7", kExample, {"7", "3", "4512", "-523", "5/3/2012", "9:19:4", "1"}},
        {"year count below 10",
         Reply({{7, 0x0E}, {8, 0x65}}),
         {"0", "0", "0", "0", "5/3/207", "0:0:0", "0"}},
        {"lowest humidity, highest bytes and words",
         {0x80, 0x00, 0xFF, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
         {"255", "255", "-32768", "-100", "31/15/20127", "31:63:62", "255"}},
    };
    for (const TabCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatLoggerTab(DecodeLoggerRecord(c.reply)), c.expected);
    }
}

struct DumpCase {
    const char* name;
    int requestedNumber;
    std::vector<std::uint8_t> reply;
    QByteArray expected;
};

TEST(LoggerDumpLine, WritesSevenTabSeparatedFieldsAndCrLf) {
    const DumpCase cases[] = {
        {"example record 7", 7, kExample, "7\t2012-3-5\t9:19:4\t4512\t-523\t3\t1\r\n"},
        {"silent instrument", 0, {}, "0\t200-0-0\t0:0:0\t0\t0\t0\t0\r\n"},
        {"silent instrument, last record", 255, {}, "255\t200-0-0\t0:0:0\t0\t0\t0\t0\r\n"},
        {"requested number, not the one in the reply", 42, kExample,
         "42\t2012-3-5\t9:19:4\t4512\t-523\t3\t1\r\n"},
        {"year count below 10", 1, Reply({{7, 0x0E}, {8, 0x65}}),
         "1\t207-3-5\t0:0:0\t0\t0\t0\t0\r\n"},
        {"status FF, object 0", 2, Reply({{4, 0xFF}}), "2\t200-0-0\t0:0:0\t0\t0\t0\t255\r\n"},
    };
    for (const DumpCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LoggerDumpLine(c.requestedNumber, DecodeLoggerRecord(c.reply)), c.expected);
    }
}

}  // namespace
