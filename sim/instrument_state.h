#pragma once
// What the simulated instrument knows and how it answers each request from it. Not
// thread-safe: InstrumentSimulator guards it with its lock. Standard library only.

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "sim/protocol.h"

namespace sim {

// A plausible settings record: display unit 0 (°Cdp), temperature unit 5 (°C), alarm 1
// mode 1 (top) at 25.0 / 5.0, alarm 2 mode 2 (bottom) at 80.0 / 20.0, output 1 4-20mA over
// -40.0..60.0, output 2 0-20mA over 0.0..100.0, cleaning every 24 h, buzzer AL1&AL2, logger Loop
// every 10 min (5 min on AL1, 1 min on AL2), manual temperature 2250 (22.50), pressure 1.00 bar.
// The four bytes carried back unchanged (8, 11, 24, 27) are 1, 2, 3, 4; the unread bytes
// 14, 17, 30, 33 hold 'k', 20 and 21 'j', and 4 and 5 repeat the unit codes, so that a
// frame built from this record and sent back leaves every byte as it was.
SettingsReply DefaultSettings();

// Record `index` of the default logger: one record every 10 min from 2012-03-05 08:00:00
// (seconds = 2 × (index mod 30)), humidity around 4500, temperature around 2200, object 1,
// status 1 on every 16th record, byte 10 = index.
LoggerRecordReply DefaultLoggerRecord(std::uint8_t index);

// "01ver" + version + revision + serial (high, low) + "end": version at byte 5.
Bytes VersionReply(std::uint8_t version, std::uint8_t revision, std::uint16_t serial);

// Updates `settings` from a received settings frame of 42 or 51 bytes (shorter frames
// update what they cover): frame 5..38 -> reply 2..35, frame 39..47 -> reply 40..48,
// frame 7 and 8 (the unit codes) -> reply 0 and 1.
void ApplySettingsFrame(const Bytes& frame, SettingsReply& settings);

// The 16-bit run-time counters of the measurement record from a total in seconds: whole
// half days, hours within the half day, seconds within the hour.
struct RunTime {
    std::uint16_t halfDays;
    std::uint16_t hours;
    std::uint16_t seconds;
};
RunTime SplitRunTime(std::uint64_t totalSeconds);

// The dew point when it is controlled rather than left to wander: `celsius` at
// `sinceSeconds` (seconds since the start), moving `perHour` degrees an hour, within
// kLowestDewPoint..kHighestDewPoint.
struct DewPointCourse {
    double celsius = 9.5;
    double perHour = 0.0;
    double sinceSeconds = 0.0;

    double At(double secondsSinceStart) const;
    bool operator==(const DewPointCourse&) const = default;
};
constexpr double kLowestDewPoint = -100.0;
constexpr double kHighestDewPoint = 100.0;

struct InstrumentState {
    std::string identification = "KRT-10";
    std::uint8_t version = 1;
    std::uint8_t revision = 2;
    std::uint16_t serial = 300;
    SettingsReply settings = DefaultSettings();
    std::array<LoggerRecordReply, kLoggerRecordCount> loggerRecords{};
    // When set, every measurement reply is these bytes.
    std::optional<MeasurementReply> fixedMeasurement;
    // The answer to a settings frame; none when empty.
    std::optional<Bytes> settingsFrameAnswer = Bytes{'O', 'K'};
    Bytes lastSettingsFrame;
    // Run time at start: 2 half days, 7 hours, 1800 seconds.
    std::uint64_t runSecondsAtStart = 2 * 43200 + 7 * 3600 + 1800;

    InstrumentState();

    // When set, the dew point follows it: every reading is the course's value to the
    // hundredth (a generator holding its point, so a steady one reads steady), the mirror
    // within a few hundredths of it, the ambient temperature at least 3 degrees above it.
    // Empty: the dew point wanders.
    std::optional<DewPointCourse> dewPointCourse;

    // The reply to a request, from this state; a settings frame updates the settings first.
    // None when the instrument stays silent for it.
    std::optional<Bytes> Answer(RequestKind kind, const Bytes& request, double secondsSinceStart);

    // The dew point's course value now, or the centre of its wandering: without the noise.
    double DewPointAt(double secondsSinceStart) const;

    // A measurement record: by default drifting around dew point 9.5 °C, ambient 22 °C,
    // RH about 45 %; the dew point follows dewPointCourse when it is set.
    MeasurementReply Measure(double secondsSinceStart);

  private:
    std::minstd_rand noise_{20120305};
};

}  // namespace sim
