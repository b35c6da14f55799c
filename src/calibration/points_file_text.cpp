#include "calibration/points_file_text.h"

#include "calibration/csv_fields.h"
#include "calibration/point_texts.h"

namespace calibration {

namespace {

constexpr PointQuantity kTableQuantities[] = {
    PointQuantity::VapourPressure,
    PointQuantity::FrostPoint,
    PointQuantity::RelativeHumidity,
    PointQuantity::RelativeHumidityIce,
    PointQuantity::AbsoluteHumidity,
    PointQuantity::MixingRatio,
    PointQuantity::Ppmv,
};
static_assert(std::size(kTableQuantities) == 7);

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString UnitText(humidity::TemperatureScale scale) {
    return Text(DeviceUnitName(scale == humidity::TemperatureScale::Fahrenheit
                                   ? DeviceUnit::Fahrenheit
                                   : DeviceUnit::Celsius));
}

QByteArray Line(const QStringList& fields) {
    return CsvLine(fields).toUtf8() + '\n';
}

QStringList FormulationFields(const humidity::FormulationUncertainties& u) {
    return {QStringLiteral("#formulations"), QStringLiteral("water_above_0c"),
            NumberText(u.waterAboveZero),    QStringLiteral("water_at_minus_100c"),
            NumberText(u.waterAtMinus100),   QStringLiteral("ice_at_0c"),
            NumberText(u.iceAtZero),         QStringLiteral("ice_at_minus_100c"),
            NumberText(u.iceAtMinus100),     QStringLiteral("enhancement_factor"),
            NumberText(u.enhancementFactor)};
}

}  // namespace

QStringList PointColumns(std::size_t deviceCount) {
    QStringList names = {QStringLiteral("time"), QStringLiteral("samples"),
                         QStringLiteral("span_s"), QStringLiteral("temperature_unit")};
    for (const char* temperature : {"dew_point", "ambient_temperature"}) {
        const QString name = QLatin1String(temperature);
        names << name + QStringLiteral("_mean") << name + QStringLiteral("_mean_U")
              << name + QStringLiteral("_sd") << name + QStringLiteral("_drift_per_h");
    }
    for (PointQuantity q : kTableQuantities) {
        const QString name = Text(PointQuantityColumn(q));
        names << name << name + QStringLiteral("_U");
    }
    names << QStringLiteral("pressure_hpa") << QStringLiteral("pressure_hpa_U")
          << QStringLiteral("pressure_source") << QStringLiteral("dew_point_instrument_U_kelvin")
          << QStringLiteral("ambient_temperature_instrument_U_kelvin") << QStringLiteral("stable")
          << QStringLiteral("excluded");
    for (std::size_t d = 1; d <= deviceCount; ++d) {
        const QString device = QStringLiteral("device_%1_").arg(d);
        names << device + QStringLiteral("reading") << device + QStringLiteral("deviation")
              << device + QStringLiteral("deviation_U") << device + QStringLiteral("verdict");
    }
    return names;
}

std::string_view PressureSourceName(humidity::PressureSource source) {
    switch (source) {
        case humidity::PressureSource::CommandLine:
            return "command_line";
        case humidity::PressureSource::Instrument:
            return "instrument";
        case humidity::PressureSource::Standard:
            break;
    }
    return "standard";
}

QStringList PointFields(const PointsFile& file, std::size_t index) {
    const RecordedPoint& recorded = file.points.at(index);
    const CalibrationPoint& p = recorded.point;
    QStringList fields = {TimeText(p.time), QString::number(p.samples), NumberText(p.spanSeconds),
                          UnitText(p.scale)};
    const auto window = [&](const TemperatureWindow& w, PointQuantity q) {
        fields << NumberText(w.mean) << NumberText(p.Quantity(q).expanded)
               << NumberText(w.standardDeviation) << NumberText(w.driftPerHour);
    };
    window(p.dewPoint, PointQuantity::DewPoint);
    window(p.ambient, PointQuantity::AmbientTemperature);
    for (PointQuantity q : kTableQuantities) {
        fields << NumberText(p.Quantity(q).value) << NumberText(p.Quantity(q).expanded);
    }
    fields << NumberText(p.pressureHpa) << NumberText(p.pressureExpandedHpa)
           << Text(PressureSourceName(p.pressureSource)) << NumberText(p.dewPointExpandedK)
           << NumberText(p.ambientExpandedK) << Flag(p.stable) << Flag(p.excluded);
    for (std::size_t d = 0; d < file.devices.size(); ++d) {
        const std::optional<double> reading =
            d < recorded.readings.size() ? recorded.readings[d] : std::nullopt;
        const std::optional<Comparison> c =
            reading ? CompareReading(p, file.devices[d], *reading) : std::nullopt;
        fields << NumberText(reading);
        if (c) {
            fields << NumberText(c->deviation) << NumberText(c->expanded)
                   << Text(VerdictName(c->verdict));
        } else {
            fields << QString() << QString() << QString();
        }
    }
    return fields;
}

QByteArray PointsFileRow(const PointsFile& file, std::size_t index) {
    return Line(PointFields(file, index));
}

QByteArray PointsFileText(const PointsFile& file) {
    QByteArray text = Line({Text(kPointsFileMark), QString::number(kPointsFileVersion)});
    text += Line({QStringLiteral("#instrument"), FileText(file.instrument.identification),
                  FileText(file.instrument.serialNumber), FileText(file.instrument.firmware)});
    text += Line({QStringLiteral("#operator"), FileText(file.operatorName)});
    text += Line(FormulationFields(file.formulations));
    for (std::size_t d = 0; d < file.devices.size(); ++d) {
        const DeviceUnderTest& device = file.devices[d];
        text += Line({QStringLiteral("#device"), QString::number(d + 1), FileText(device.name),
                      Text(DeviceQuantityName(device.quantity)), Text(DeviceUnitName(device.unit)),
                      NumberText(device.resolution), NumberText(device.tolerance)});
    }
    text += Line(PointColumns(file.devices.size()));
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        text += PointsFileRow(file, i);
    }
    return text;
}

}  // namespace calibration
