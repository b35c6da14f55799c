#include "measure/measurement_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

void PrintTo(const MeasurementSample& s, std::ostream* os) {
    *os << "{DewPoint " << s.DewPoint << ", HeadTemperature " << s.HeadTemperature
        << ", MirrorDewLevel " << int{s.MirrorDewLevel} << ", PeltierPower " << int{s.PeltierPower}
        << ", RelativeHumidity " << s.RelativeHumidity << ", FrostLevel " << s.FrostLevel
        << ", AmbientTemperature " << s.AmbientTemperature << ", MirrorTemperature "
        << s.MirrorTemperature << ", Aux " << s.AuxValue1 << " " << s.AuxValue2 << " "
        << s.AuxValue3 << " " << s.AuxValue4 << ", Run " << s.RunHalfDays << " " << s.RunHours
        << " " << s.RunSeconds << "}";
}

namespace {

// Every field distinct, so a field read from a neighbour's offset shows.
const std::vector<std::uint8_t> kDistinct = {
    0x09, 0xC4, 0x00, 0x00, 0x00, 0x09, 0xF6, 0x11, 0x22, 0x00, 0x13, 0x88, 0x00, 0x2A, 0x30, 0x39,
    0xFF, 0xFB, 0x00, 0x01, 0x01, 0x00, 0x80, 0x00, 0x7F, 0xFF, 0x00, 0x02, 0x00, 0x07, 0x07, 0x08,
};

// What kDistinct decodes to.
constexpr MeasurementSample kDistinctSample = {.DewPoint = 2500,
                                               .HeadTemperature = 2550,
                                               .MirrorDewLevel = 0x11,
                                               .PeltierPower = 0x22,
                                               .RelativeHumidity = 5000,
                                               .FrostLevel = 42,
                                               .AmbientTemperature = 12345,
                                               .MirrorTemperature = -5,
                                               .AuxValue1 = 1,
                                               .AuxValue2 = 256,
                                               .AuxValue3 = -32768,
                                               .AuxValue4 = 32767,
                                               .RunHalfDays = 2,
                                               .RunHours = 7,
                                               .RunSeconds = 1800};

MeasurementSample WithRunSeconds(MeasurementSample sample, std::uint16_t seconds) {
    sample.RunSeconds = seconds;
    return sample;
}

std::vector<std::uint8_t> Record(std::initializer_list<std::pair<std::size_t, std::uint8_t>> set) {
    std::vector<std::uint8_t> bytes(kMeasurementReplySize, 0);
    for (auto [offset, value] : set) {
        bytes[offset] = value;
    }
    return bytes;
}

std::vector<std::uint8_t> WithTrailer(std::vector<std::uint8_t> bytes) {
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    return bytes;
}

struct DecodeCase {
    const char* name;
    std::vector<std::uint8_t> reply;
    MeasurementSample expected;
};

TEST(DecodeMeasurement, DecodesEachFieldFromItsOffset) {
    const DecodeCase cases[] = {
        {"all zero", Record({}), {}},
        {"empty reply", {}, {}},
        {"dew point FB 2E", Record({{0, 0xFB}, {1, 0x2E}}), {.DewPoint = -1234}},
        {"mirror dew level C8 is unsigned", Record({{7, 0xC8}}), {.MirrorDewLevel = 200}},
        {"peltier power FF is unsigned", Record({{8, 0xFF}}), {.PeltierPower = 255}},
        {"run half-days FF FF is unsigned",
         Record({{26, 0xFF}, {27, 0xFF}}),
         {.RunHalfDays = 65535}},
        {"aux 1 FF FF is signed", Record({{18, 0xFF}, {19, 0xFF}}), {.AuxValue1 = -1}},
        {"lowest signed value", Record({{16, 0x80}}), {.MirrorTemperature = -32768}},
        {"every field distinct", kDistinct, kDistinctSample},
        {"bytes past offset 31 ignored",
         WithTrailer(Record({{30, 0x07}, {31, 0x08}})),
         {.RunSeconds = 1800}},
        {"short reply: missing bytes are 0", {0xFB, 0x2E, 0x05}, {.DewPoint = -1234}},
        {"short reply ends inside a field",
         {0x00, 0x00, 0x00, 0x00, 0x00, 0x07},
         {.HeadTemperature = 0x0700}},
        {"short reply ends inside the last field",
         std::vector<std::uint8_t>(kDistinct.begin(), kDistinct.begin() + 31),
         WithRunSeconds(kDistinctSample, 0x0700)},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeMeasurement(c.reply), c.expected);
    }
}

TEST(DecodeMeasurement, UnusedBytesHaveNoEffect) {
    const MeasurementSample base = DecodeMeasurement(kDistinct);
    for (std::size_t offset : {2, 3, 4, 9}) {
        for (std::uint8_t value : {0x01, 0x80, 0xFF}) {
            SCOPED_TRACE(testing::Message() << "offset " << offset << " value " << int{value});
            std::vector<std::uint8_t> changed = kDistinct;
            changed[offset] = value;
            EXPECT_EQ(DecodeMeasurement(changed), base);
        }
    }
}

}  // namespace
