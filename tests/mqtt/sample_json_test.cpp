// A sample's JSON for the MQTT subscribers: the dated record's columns and value texts,
// valid JSON that any parser reads back to the same numbers, and the temperature scale.
#include "mqtt/sample_json.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

namespace {

SampleValues Example() {
    SampleValues values;
    values.time = QDateTime(QDate(2026, 12, 10), QTime(13, 15, 0, 123), QTimeZone(3600));
    values.sampleCount = 42;
    values.sample = {.DewPoint = -1234,
                     .HeadTemperature = 2369,
                     .MirrorDewLevel = 255,
                     .PeltierPower = 116,
                     .RelativeHumidity = 4461,
                     .FrostLevel = -3,
                     .AmbientTemperature = -5,
                     .MirrorTemperature = 953,
                     .AuxValue1 = 1013,
                     .AuxValue2 = 42,
                     .AuxValue3 = -32768,
                     .AuxValue4 = 32767,
                     .RunHalfDays = 65535,
                     .RunHours = 7,
                     .RunSeconds = 1801};
    values.replyBytes = 17;
    return values;
}

TEST(SampleJson, HoldsTheRecordsColumnsAndTheScaleWhenKnown) {
    const QByteArray columns =
        "{\"time\":\"2026-12-10T13:15:00.123+01:00\",\"sample\":42,\"dew_point\":-12.34,"
        "\"ambient_temperature\":-0.05,\"relative_humidity\":44.61,\"head_temperature\":23.69,"
        "\"mirror_temperature\":9.53,\"mirror_dew_level\":255,\"peltier_power\":116,"
        "\"frost_level\":-3,\"aux_value_1\":1013,\"aux_value_2\":42,\"aux_value_3\":-32768,"
        "\"aux_value_4\":32767,\"run_half_days\":65535,\"run_hours\":7,\"run_seconds\":1801,"
        "\"reply_bytes\":17,\"vapour_pressure_pa\":null,\"frost_point\":null,"
        "\"relative_humidity_calculated\":null,\"relative_humidity_ice\":null,"
        "\"absolute_humidity_g_m3\":null,\"mixing_ratio_g_kg\":null,\"ppmv\":null,"
        "\"pressure_hpa\":null,\"dew_point_mean\":null,\"dew_point_sd\":null,"
        "\"dew_point_drift_per_h\":null,\"stable\":null";
    const std::pair<TemperatureScale, QByteArray> cases[] = {
        {TemperatureScale::Unknown, columns + "}"},
        {TemperatureScale::Celsius, columns + ",\"temperature_unit\":\"°C\"}"},
        {TemperatureScale::Fahrenheit, columns + ",\"temperature_unit\":\"°F\"}"},
    };
    for (const auto& [scale, json] : cases) {
        SCOPED_TRACE(json.toStdString());
        EXPECT_EQ(SampleJson(Example(), scale), json);
    }
}

// With humidity, one quantity of it empty.
SampleValues ExampleWithHumidity() {
    SampleValues values = Example();
    humidity::SampleHumidity h;
    h.quantities.vapourPressurePa = 244.568;
    h.quantities.frostPoint = -11.0123;
    h.quantities.relativeHumidityCalculated = 8.76543;
    h.quantities.absoluteHumidityGPerM3 = 1.79;
    h.quantities.mixingRatioGPerKg = 1.5036;
    h.quantities.ppmv = 2417.49;
    h.quantities.pressureHpa = 1013.25;
    h.statistics.mean = -12.3412;
    h.statistics.standardDeviation = 0.00512345;
    h.statistics.driftPerHour = -0.0123456;
    h.statistics.stable = true;
    values.humidity = h;
    return values;
}

TEST(SampleJson, ParsesBackToTheRecordsTexts) {
    const SampleValues values = ExampleWithHumidity();
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(SampleJson(values, TemperatureScale::Celsius), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject object = document.object();
    EXPECT_EQ(object.size(), static_cast<qsizetype>(kSampleColumnCount) + 1);
    const std::array<QString, kSampleColumnCount> texts = SampleColumnTexts(values);
    for (std::size_t i = 0; i < kSampleColumnCount; ++i) {
        const QString name = QString::fromUtf8(
            kSampleColumnNames[i].data(), static_cast<qsizetype>(kSampleColumnNames[i].size()));
        SCOPED_TRACE(name.toStdString());
        const QJsonValue value = object.value(name);
        if (i == 0) {
            EXPECT_EQ(value.toString(), texts[i]);
        } else if (kSampleColumnNames[i] == "relative_humidity_ice") {
            EXPECT_TRUE(value.isNull()) << "empty in the record";
        } else {
            ASSERT_TRUE(value.isDouble());
            EXPECT_EQ(value.toDouble(), texts[i].toDouble());
        }
    }
    EXPECT_EQ(object.value("temperature_unit").toString(), "°C");
    EXPECT_EQ(object.value("ppmv").toDouble(), 2417.49);
    EXPECT_EQ(object.value("stable").toDouble(), 1.0);
}

}  // namespace
