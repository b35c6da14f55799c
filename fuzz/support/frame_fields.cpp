#include "support/frame_fields.h"

#include <cstddef>
#include <cstdint>

namespace {

std::int16_t WordAt(const SettingsFrame& frame, std::size_t offset) {
    return static_cast<std::int16_t>(frame[offset] << 8 | frame[offset + 1]);
}

}  // namespace

InstrumentSettings SettingsFromFrame(const SettingsFrame& f) {
    InstrumentSettings s;
    s.Alarm1Mode = f[5];
    s.Alarm2Mode = f[6];
    s.DisplayUnit = f[7];
    s.TemperatureUnit = f[8];
    s.Alarm1High = WordAt(f, 9);
    s.Alarm1HighExtra = f[11];
    s.Alarm1Low = WordAt(f, 12);
    s.Alarm1LowExtra = f[14];
    s.Alarm2High = WordAt(f, 15);
    s.Alarm2Low = WordAt(f, 18);
    s.Output1Type = f[21];
    s.Output2Type = f[22];
    s.Output1Min = WordAt(f, 25);
    s.Output1MinExtra = f[27];
    s.Output1Max = WordAt(f, 28);
    s.Output1MaxExtra = f[30];
    s.Output2Min = WordAt(f, 31);
    s.Output2Max = WordAt(f, 34);
    s.CleaningInterval = WordAt(f, 37);
    s.Buzzer = f[39];
    s.LoggerMode = f[40];
    s.RecordInterval = f[41];
    s.RecordIntervalAl1 = f[42];
    s.RecordIntervalAl2 = f[43];
    s.ManualTemperature = WordAt(f, 44);
    s.Pressure = WordAt(f, 46);
    return s;
}

bool FrameFixedBytesInPlace(const SettingsFrame& f) {
    constexpr std::uint8_t k = 0x6B;
    constexpr std::uint8_t j = 0x6A;
    return f[0] == '0' && f[1] == '1' && f[2] == 'm' &&
           f[3] == static_cast<std::uint8_t>(f[7] + 30) &&
           f[4] == static_cast<std::uint8_t>(f[8] + 30) && f[17] == k && f[20] == k && f[33] == k &&
           f[36] == k && f[23] == j && f[24] == j && f[48] == 'e' && f[49] == 'n' && f[50] == 'd';
}
