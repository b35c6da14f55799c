#include "measure/calibration_point.h"

#include "measure/sample_columns.h"

std::vector<CalibrationField> CalibrationPointFields(const QDateTime& time,
                                                     const humidity::SampleHumidity& humidity) {
    const humidity::WindowStatistics& w = humidity.statistics;
    const humidity::HumidityQuantities q = humidity.atMean.value_or(humidity::HumidityQuantities{});
    const bool known = humidity.atMean.has_value();
    const auto text = [](std::optional<double> value) { return QuantityText(value); };
    return {
        {QStringLiteral("time"), IsoDateTimeText(time)},
        {QStringLiteral("dew_point_mean"), text(w.mean)},
        {QStringLiteral("dew_point_sd"), text(w.standardDeviation)},
        {QStringLiteral("dew_point_drift_per_h"), text(w.driftPerHour)},
        {QStringLiteral("samples"), QString::number(w.count)},
        {QStringLiteral("span_s"), text(w.spanSeconds)},
        {QStringLiteral("ambient_temperature_mean"), text(humidity.ambientMean)},
        {QStringLiteral("temperature_unit"),
         humidity.scale == humidity::TemperatureScale::Fahrenheit ? QStringLiteral("°F")
                                                                  : QStringLiteral("°C")},
        {QStringLiteral("vapour_pressure_pa"), text(q.vapourPressurePa)},
        {QStringLiteral("frost_point"), text(q.frostPoint)},
        {QStringLiteral("relative_humidity_calculated"), text(q.relativeHumidityCalculated)},
        {QStringLiteral("relative_humidity_ice"), text(q.relativeHumidityIce)},
        {QStringLiteral("absolute_humidity_g_m3"), text(q.absoluteHumidityGPerM3)},
        {QStringLiteral("mixing_ratio_g_kg"), text(q.mixingRatioGPerKg)},
        {QStringLiteral("ppmv"), text(q.ppmv)},
        {QStringLiteral("pressure_hpa"), known ? text(q.pressureHpa) : QString()},
        {QStringLiteral("stable"), w.stable ? QStringLiteral("1") : QStringLiteral("0")},
    };
}

QString CalibrationPointLine(const std::vector<CalibrationField>& fields) {
    QStringList pairs;
    for (const CalibrationField& field : fields) {
        pairs << field.name + QLatin1Char('=') + field.value;
    }
    return pairs.join(QLatin1Char(' '));
}

QString CalibrationPointTable(const std::vector<CalibrationField>& fields) {
    QStringList names;
    QStringList values;
    for (const CalibrationField& field : fields) {
        names << field.name;
        values << field.value;
    }
    return names.join(QLatin1Char('\t')) + QLatin1Char('\n') + values.join(QLatin1Char('\t')) +
           QLatin1Char('\n');
}
