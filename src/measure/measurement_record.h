#pragma once
// The 32-byte record the instrument sends in answer to the measurement request, and its
// decoding. 16-bit fields are big-endian; scaled values travel in hundredths.

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/instrument_protocol.h"

struct MeasurementSample {
    std::int16_t DewPoint = 0;         // hundredths of a degree
    std::int16_t HeadTemperature = 0;  // hundredths of a degree
    std::uint8_t MirrorDewLevel = 0;
    std::uint8_t PeltierPower = 0;
    std::int16_t RelativeHumidity = 0;  // hundredths of a percent
    std::int16_t FrostLevel = 0;
    std::int16_t AmbientTemperature = 0;  // hundredths of a degree
    std::int16_t MirrorTemperature = 0;   // hundredths of a degree
    std::int16_t AuxValue1 = 0;
    std::int16_t AuxValue2 = 0;
    std::int16_t AuxValue3 = 0;
    std::int16_t AuxValue4 = 0;
    std::uint16_t RunHalfDays = 0;
    std::uint16_t RunHours = 0;
    std::uint16_t RunSeconds = 0;

    bool operator==(const MeasurementSample&) const = default;
};

// Reads offsets 0 to 31 of `reply` and nothing else; offsets the reply does not reach
// read as 0. Nothing is validated: whatever the bytes say is the sample.
MeasurementSample DecodeMeasurement(std::span<const std::uint8_t> reply);
