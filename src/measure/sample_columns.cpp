#include "measure/sample_columns.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kSignificantDigits = 6;
constexpr int kMostDecimals = 9;

}  // namespace

QString IsoDateTimeText(const QDateTime& time) {
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")) +
           (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString HundredthsText(std::int16_t hundredths) {
    const int magnitude = std::abs(static_cast<int>(hundredths));
    return (hundredths < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) +
           QLatin1Char('.') + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString QuantityText(std::optional<double> value) {
    if (!value || !std::isfinite(*value)) {
        return {};
    }
    if (*value == 0.0) {
        return QStringLiteral("0");
    }
    const int wholeDigits = static_cast<int>(std::floor(std::log10(std::fabs(*value)))) + 1;
    const int decimals = std::clamp(kSignificantDigits - wholeDigits, 0, kMostDecimals);
    QString text = QString::number(*value, 'f', decimals);
    // A value that rounds to zero has no sign.
    if (text.startsWith(QLatin1Char('-')) &&
        std::all_of(text.cbegin() + 1, text.cend(),
                    [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('.'); })) {
        text.remove(0, 1);
    }
    return text;
}

std::array<QString, kSampleColumnCount> SampleColumnTexts(const SampleValues& values) {
    const MeasurementSample& s = values.sample;
    std::array<QString, kSampleColumnCount> texts = {
        IsoDateTimeText(values.time),        QString::number(values.sampleCount),
        HundredthsText(s.DewPoint),          HundredthsText(s.AmbientTemperature),
        HundredthsText(s.RelativeHumidity),  HundredthsText(s.HeadTemperature),
        HundredthsText(s.MirrorTemperature), QString::number(s.MirrorDewLevel),
        QString::number(s.PeltierPower),     QString::number(s.FrostLevel),
        QString::number(s.AuxValue1),        QString::number(s.AuxValue2),
        QString::number(s.AuxValue3),        QString::number(s.AuxValue4),
        QString::number(s.RunHalfDays),      QString::number(s.RunHours),
        QString::number(s.RunSeconds),       QString::number(values.replyBytes),
    };
    if (!values.humidity) {
        return texts;
    }
    const humidity::HumidityQuantities& q = values.humidity->quantities;
    const humidity::WindowStatistics& w = values.humidity->statistics;
    const std::optional<double> humidityValues[] = {
        q.vapourPressurePa,
        q.frostPoint,
        q.relativeHumidityCalculated,
        q.relativeHumidityIce,
        q.absoluteHumidityGPerM3,
        q.mixingRatioGPerKg,
        q.ppmv,
        q.pressureHpa,
        w.mean,
        w.standardDeviation,
        w.driftPerHour,
    };
    std::size_t column = kFirstHumidityColumn;
    for (const std::optional<double>& value : humidityValues) {
        texts[column++] = QuantityText(value);
    }
    texts[column] = w.stable ? QStringLiteral("1") : QStringLiteral("0");
    return texts;
}
