// The calibration point as the headless line and the window's clipboard give it: the record's
// names and value texts, empty where a quantity cannot be computed.
#include "measure/calibration_point.h"

#include <gtest/gtest.h>

#include <QTimeZone>

namespace {

humidity::SampleHumidity StablePoint() {
    humidity::SampleHumidity h;
    h.statistics.count = 601;
    h.statistics.spanSeconds = 600.0;
    h.statistics.mean = -12.3412345;
    h.statistics.standardDeviation = 0.00512345;
    h.statistics.driftPerHour = -0.0123456;
    h.statistics.stable = true;
    h.ambientMean = 22.1;
    h.atMean = humidity::HumidityQuantities{};
    h.atMean->vapourPressurePa = 244.5678912;
    h.atMean->frostPoint = -11.0123456;
    h.atMean->relativeHumidityCalculated = 8.765432;
    h.atMean->absoluteHumidityGPerM3 = 1.7899999;
    h.atMean->mixingRatioGPerKg = 1.5036;
    h.atMean->ppmv = 2417.49;
    h.atMean->pressureHpa = 1013.25;
    return h;
}

const QDateTime kTime(QDate(2026, 12, 10), QTime(13, 15, 0, 123), QTimeZone(3600));

TEST(CalibrationPoint, OneLineOfNamesAndValues) {
    EXPECT_EQ(CalibrationPointLine(CalibrationPointFields(kTime, StablePoint())),
              "time=2026-12-10T13:15:00.123+01:00 dew_point_mean=-12.3412 "
              "dew_point_sd=0.00512345 dew_point_drift_per_h=-0.0123456 samples=601 "
              "span_s=600.000 ambient_temperature_mean=22.1000 temperature_unit=°C "
              "vapour_pressure_pa=244.568 frost_point=-11.0123 "
              "relative_humidity_calculated=8.76543 relative_humidity_ice= "
              "absolute_humidity_g_m3=1.79000 mixing_ratio_g_kg=1.50360 ppmv=2417.49 "
              "pressure_hpa=1013.25 stable=1");
}

TEST(CalibrationPoint, AHeaderAndAValueLineForASheet) {
    humidity::SampleHumidity h = StablePoint();
    h.scale = humidity::TemperatureScale::Fahrenheit;
    h.statistics.stable = false;
    const QStringList lines = CalibrationPointTable(CalibrationPointFields(kTime, h)).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[2], "") << "each line ended";
    const QStringList names = lines[0].split('\t');
    const QStringList values = lines[1].split('\t');
    ASSERT_EQ(names.size(), 17);
    ASSERT_EQ(values.size(), 17);
    EXPECT_EQ(names[1], "dew_point_mean");
    EXPECT_EQ(values[1], "-12.3412");
    EXPECT_EQ(names[7], "temperature_unit");
    EXPECT_EQ(values[7], "°F");
    EXPECT_EQ(names[11], "relative_humidity_ice");
    EXPECT_EQ(values[11], "");
    EXPECT_EQ(names[16], "stable");
    EXPECT_EQ(values[16], "0");
}

// An empty window: nothing to take a point from, nothing that looks like one.
TEST(CalibrationPoint, AnEmptyWindowGivesEmptyValues) {
    const std::vector<CalibrationField> fields =
        CalibrationPointFields(kTime, humidity::SampleHumidity{});
    for (const CalibrationField& field : fields) {
        SCOPED_TRACE(field.name.toStdString());
        if (field.name == "time" || field.name == "temperature_unit") {
            EXPECT_FALSE(field.value.isEmpty());
        } else if (field.name == "samples" || field.name == "stable" || field.name == "span_s") {
            EXPECT_EQ(field.value, "0");
        } else {
            EXPECT_EQ(field.value, "");
        }
    }
}

}  // namespace
