#pragma once
// The instrument's configuration as read by "01s?end" and written back by the settings frame.

#include <cstdint>

struct InstrumentSettings {
    std::uint8_t DisplayUnit = 0;      // index in the unit list
    std::uint8_t TemperatureUnit = 0;  // 5 = °C, 6 = °F
    std::uint8_t Alarm1Mode = 0;
    std::uint8_t Alarm2Mode = 0;
    std::uint8_t Output1Type = 0;  // 0 = 0-20mA, 4 = 4-20mA
    std::uint8_t Output2Type = 0;
    // Bytes the instrument sends after the alarm 1 and output 1 values; never shown, they go
    // back to it unchanged.
    std::uint8_t Alarm1HighExtra = 0;
    std::uint8_t Alarm1LowExtra = 0;
    std::uint8_t Output1MinExtra = 0;
    std::uint8_t Output1MaxExtra = 0;
    std::uint8_t Buzzer = 0;
    std::uint8_t LoggerMode = 0;  // 0 = Loop, 1 = Stop
    std::uint8_t RecordInterval = 0;
    std::uint8_t RecordIntervalAl1 = 0;
    std::uint8_t RecordIntervalAl2 = 0;
    std::int16_t Alarm1High = 0;         // tenths
    std::int16_t Alarm1Low = 0;          // tenths
    std::int16_t Alarm2High = 0;         // tenths
    std::int16_t Alarm2Low = 0;          // tenths
    std::int16_t Output1Min = 0;         // tenths
    std::int16_t Output1Max = 0;         // tenths
    std::int16_t Output2Min = 0;         // tenths
    std::int16_t Output2Max = 0;         // tenths
    std::int16_t CleaningInterval = 0;   // whole hours
    std::int16_t ManualTemperature = 0;  // hundredths, read and written alike
    std::int16_t Pressure = 0;           // hundredths of a bar

    friend bool operator==(const InstrumentSettings&, const InstrumentSettings&) = default;
};
