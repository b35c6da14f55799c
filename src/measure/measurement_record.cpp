#include "measure/measurement_record.h"

namespace {

// A short reply leaves the rest of the record at 0 instead of reading past the reply.
std::uint8_t ByteAt(std::span<const std::uint8_t> reply, std::size_t offset) {
    return offset < reply.size() ? reply[offset] : 0;
}

std::uint16_t Word(std::span<const std::uint8_t> reply, std::size_t offset) {
    return static_cast<std::uint16_t>(ByteAt(reply, offset) << 8 | ByteAt(reply, offset + 1));
}

std::int16_t SignedWord(std::span<const std::uint8_t> reply, std::size_t offset) {
    return static_cast<std::int16_t>(Word(reply, offset));
}

}  // namespace

MeasurementSample DecodeMeasurement(std::span<const std::uint8_t> reply) {
    // Offsets 2 to 4 and 9 carry nothing the client uses.
    MeasurementSample sample;
    sample.DewPoint = SignedWord(reply, 0);
    sample.HeadTemperature = SignedWord(reply, 5);
    sample.MirrorDewLevel = ByteAt(reply, 7);
    sample.PeltierPower = ByteAt(reply, 8);
    sample.RelativeHumidity = SignedWord(reply, 10);
    sample.FrostLevel = SignedWord(reply, 12);
    sample.AmbientTemperature = SignedWord(reply, 14);
    sample.MirrorTemperature = SignedWord(reply, 16);
    sample.AuxValue1 = SignedWord(reply, 18);
    sample.AuxValue2 = SignedWord(reply, 20);
    sample.AuxValue3 = SignedWord(reply, 22);
    sample.AuxValue4 = SignedWord(reply, 24);
    sample.RunHalfDays = Word(reply, 26);
    sample.RunHours = Word(reply, 28);
    sample.RunSeconds = Word(reply, 30);
    return sample;
}
