#include "sim/instrument_state.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sim {

namespace {

void Put16(std::uint8_t* at, int value) {
    const auto word = static_cast<std::uint16_t>(value);
    at[0] = static_cast<std::uint8_t>(word >> 8);
    at[1] = static_cast<std::uint8_t>(word & 0xFF);
}

// Saturation vapour pressure over water, Magnus form (hPa); only ratios are used.
double VapourPressure(double celsius) {
    return 6.112 * std::exp(17.62 * celsius / (243.12 + celsius));
}

constexpr double kTwoPi = 2.0 * std::numbers::pi;

int Hundredths(double value) {
    return static_cast<int>(std::lround(value * 100.0));
}

}  // namespace

SettingsReply DefaultSettings() {
    SettingsReply s{};
    s[0] = 0;     // DisplayUnit: °Cdp
    s[1] = 5;     // TemperatureUnit: °C
    s[2] = 1;     // Alarm1Mode: top
    s[3] = 2;     // Alarm2Mode: bottom
    s[4] = s[0];  // not read; the frame carries the unit codes here
    s[5] = s[1];
    Put16(&s[6], 250);   // Alarm1High 25.0
    s[8] = 1;            // Alarm1HighExtra
    Put16(&s[9], 50);    // Alarm1Low 5.0
    s[11] = 2;           // Alarm1LowExtra
    Put16(&s[12], 800);  // Alarm2High 80.0
    s[14] = 'k';
    Put16(&s[15], 200);  // Alarm2Low 20.0
    s[17] = 'k';
    s[18] = 4;  // Output1Type 4-20mA
    s[19] = 0;  // Output2Type 0-20mA
    s[20] = 'j';
    s[21] = 'j';
    Put16(&s[22], -400);  // Output1Min -40.0
    s[24] = 3;            // Output1MinExtra
    Put16(&s[25], 600);   // Output1Max 60.0
    s[27] = 4;            // Output1MaxExtra
    Put16(&s[28], 0);     // Output2Min 0.0
    s[30] = 'k';
    Put16(&s[31], 1000);  // Output2Max 100.0
    s[33] = 'k';
    Put16(&s[34], 24);  // CleaningInterval 24 h
    // 36..39 not read, zero
    s[40] = 3;            // Buzzer AL1&AL2
    s[41] = 0;            // LoggerMode Loop
    s[42] = 4;            // RecordInterval 10min
    s[43] = 3;            // RecordIntervalAl1 5min
    s[44] = 1;            // RecordIntervalAl2 1min
    Put16(&s[45], 2250);  // ManualTemperature
    Put16(&s[47], 100);   // Pressure 1.00 bar
    return s;
}

LoggerRecordReply DefaultLoggerRecord(std::uint8_t index) {
    LoggerRecordReply r{};
    const int i = index;
    const int minutes = 8 * 60 + 10 * i;
    const int day = 5 + minutes / 1440;
    const int hours = (minutes % 1440) / 60;
    const int mins = minutes % 60;
    const int halfSeconds = i % 30;
    Put16(&r[0], 4500 + (i * 37) % 300 - 150);  // Humidity
    Put16(&r[2], 2200 + (i * 53) % 200 - 100);  // Temperature
    r[4] = (i % 16 == 15) ? 1 : 0;              // Status
    Put16(&r[5], (hours << 11) | (mins << 5) | halfSeconds);
    Put16(&r[7], (12 << 9) | (3 << 5) | day);  // 2012-03-day
    r[9] = 1;                                  // ObjectId
    r[10] = index;                             // RecordNumber
    return r;
}

Bytes VersionReply(std::uint8_t version, std::uint8_t revision, std::uint16_t serial) {
    return Bytes{'0',
                 '1',
                 'v',
                 'e',
                 'r',
                 version,
                 revision,
                 static_cast<std::uint8_t>(serial >> 8),
                 static_cast<std::uint8_t>(serial & 0xFF),
                 'e',
                 'n',
                 'd'};
}

void ApplySettingsFrame(const Bytes& frame, SettingsReply& settings) {
    const std::size_t n = frame.size();
    for (std::size_t f = 5; f <= 38 && f < n; ++f) {
        settings[f - 3] = frame[f];
    }
    for (std::size_t f = 39; f <= 47 && f < n; ++f) {
        settings[f + 1] = frame[f];
    }
    if (n > 7) {
        settings[0] = frame[7];
    }
    if (n > 8) {
        settings[1] = frame[8];
    }
}

RunTime SplitRunTime(std::uint64_t totalSeconds) {
    return RunTime{static_cast<std::uint16_t>(totalSeconds / 43200),
                   static_cast<std::uint16_t>(totalSeconds % 43200 / 3600),
                   static_cast<std::uint16_t>(totalSeconds % 3600)};
}

InstrumentState::InstrumentState() {
    for (std::size_t i = 0; i < kLoggerRecordCount; ++i) {
        loggerRecords[i] = DefaultLoggerRecord(static_cast<std::uint8_t>(i));
    }
}

std::optional<Bytes> InstrumentState::Answer(RequestKind kind, const Bytes& request,
                                             double secondsSinceStart) {
    switch (kind) {
        case RequestKind::Identification:
            return ToBytes(identification);
        case RequestKind::Version:
            return VersionReply(version, revision, serial);
        case RequestKind::Measurement: {
            const MeasurementReply m =
                fixedMeasurement ? *fixedMeasurement : Measure(secondsSinceStart);
            return Bytes(m.begin(), m.end());
        }
        case RequestKind::SettingsRead:
            return Bytes(settings.begin(), settings.end());
        case RequestKind::LoggerRecord: {
            if (request.size() < 4) {
                return std::nullopt;
            }
            const LoggerRecordReply& r = loggerRecords[request[3]];
            return Bytes(r.begin(), r.end());
        }
        case RequestKind::SettingsFrame:
            ApplySettingsFrame(request, settings);
            lastSettingsFrame = request;
            return settingsFrameAnswer;
    }
    return std::nullopt;
}

double DewPointCourse::At(double secondsSinceStart) const {
    const double value = celsius + perHour * (secondsSinceStart - sinceSeconds) / 3600.0;
    return std::clamp(value, kLowestDewPoint, kHighestDewPoint);
}

double InstrumentState::DewPointAt(double secondsSinceStart) const {
    const double t = std::max(0.0, secondsSinceStart);
    if (dewPointCourse) {
        return dewPointCourse->At(t);
    }
    return 9.5 + 0.3 * std::sin(kTwoPi * t / 120.0);
}

MeasurementReply InstrumentState::Measure(double secondsSinceStart) {
    const double t = std::max(0.0, secondsSinceStart);
    std::uniform_real_distribution<double> jitter(-1.0, 1.0);
    auto noise = [&](double amplitude) { return amplitude * jitter(noise_); };

    // The same draws from the noise either way, so the wandering series stays as it was.
    const double dewNoise = noise(0.05);
    const double dewPoint = DewPointAt(t) + (dewPointCourse ? 0.0 : dewNoise);
    // Air whose dew point is above its temperature would condense in the sampling line.
    const double ambientCentre = std::max(22.0, dewPoint + 3.0);
    const double ambient = ambientCentre + 0.2 * std::sin(kTwoPi * t / 300.0 + 1.0) + noise(0.03);
    const double humidity = 100.0 * VapourPressure(dewPoint) / VapourPressure(ambient);
    const double mirror = dewPoint + noise(0.03);
    const double head = ambient + 1.5 + noise(0.05);
    const int dewLevel = std::clamp(120 + static_cast<int>(std::lround(noise(8.0))), 0, 255);
    const int peltier =
        std::clamp(static_cast<int>(std::lround(40.0 + 6.0 * (ambient - mirror))), 0, 255);
    const RunTime run = SplitRunTime(runSecondsAtStart + static_cast<std::uint64_t>(t));

    MeasurementReply m{};
    Put16(&m[0], Hundredths(dewPoint));
    // 2..4 not read by the client
    Put16(&m[5], Hundredths(head));
    m[7] = static_cast<std::uint8_t>(dewLevel);
    m[8] = static_cast<std::uint8_t>(peltier);
    // 9 not read
    Put16(&m[10], Hundredths(humidity));
    Put16(&m[12], 0);  // FrostLevel
    Put16(&m[14], Hundredths(ambient));
    Put16(&m[16], Hundredths(mirror));
    Put16(&m[18], 1013);  // AuxValue1..4: meaning unknown, shown as integers
    Put16(&m[20], 42);
    Put16(&m[22], -5);
    Put16(&m[24], 0);
    Put16(&m[26], run.halfDays);
    Put16(&m[28], run.hours);
    Put16(&m[30], run.seconds);
    return m;
}

}  // namespace sim
