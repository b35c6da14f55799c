#pragma once
// The logger record the tests use as their example: record 7, humidity 4512, temperature
// -523, status 1, 9:19:4 on 5/3/2012, object 3.

#include <cstdint>
#include <vector>

#include "logger/logger_record.h"

inline const std::vector<std::uint8_t> kExampleRecordBytes = {0x11, 0xA0, 0xFD, 0xF5, 0x01, 0x4A,
                                                              0x62, 0x18, 0x65, 0x03, 0x07};

inline constexpr LoggerRecord kExampleRecord = {.Humidity = 4512,
                                                .Temperature = -523,
                                                .Status = 1,
                                                .Hours = 9,
                                                .Minutes = 19,
                                                .Seconds = 4,
                                                .YearCount = 12,
                                                .Month = 3,
                                                .Day = 5,
                                                .ObjectId = 3,
                                                .RecordNumber = 7};
