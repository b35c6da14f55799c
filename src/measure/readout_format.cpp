#include "measure/readout_format.h"

#include <cstdlib>

namespace {

// |hundredths| rounded to 4 significant digits, still in hundredths. Only values of 100
// and more have a fifth digit; exact integer rounding keeps ties away from zero instead of
// depending on how 123.45 happens to lie in binary.
int RoundedMagnitude(std::int16_t hundredths) {
    int magnitude = std::abs(static_cast<int>(hundredths));
    if (magnitude >= 10000) {
        magnitude = (magnitude + 5) / 10 * 10;
    }
    return magnitude;
}

QString Sign(std::int16_t hundredths) {
    return hundredths < 0 ? QStringLiteral("-") : QString();
}

}  // namespace

QString FormatFixed2(std::int16_t hundredths, const QLocale& locale) {
    const int magnitude = RoundedMagnitude(hundredths);
    return Sign(hundredths) + QString::number(magnitude / 100) + locale.decimalPoint() +
           QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString FormatGeneral4(std::int16_t hundredths, const QLocale& locale) {
    const int magnitude = RoundedMagnitude(hundredths);
    QString text = Sign(hundredths) + QString::number(magnitude / 100);
    const int fraction = magnitude % 100;
    if (fraction == 0) {
        return text;
    }
    text += locale.decimalPoint();
    if (fraction % 10 == 0) {
        return text + QString::number(fraction / 10);
    }
    return text + QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
}

QString FormatInteger(long long value) {
    return QString::number(value);
}

QString RunTimeText(std::uint16_t halfDays, std::uint16_t hours, std::uint16_t seconds) {
    return QStringLiteral("Poldni:") + FormatInteger(halfDays) + QStringLiteral(" godzin:") +
           FormatInteger(hours) + QStringLiteral(" sekund:") + FormatInteger(seconds);
}

MeasurementReadouts FormatReadouts(const MeasurementSample& sample, const QLocale& locale) {
    MeasurementReadouts readouts;
    readouts.DewPoint = FormatFixed2(sample.DewPoint, locale);
    readouts.HeadTemperature = FormatGeneral4(sample.HeadTemperature, locale);
    readouts.MirrorDewLevel = FormatInteger(sample.MirrorDewLevel);
    readouts.PeltierPower = FormatInteger(sample.PeltierPower);
    readouts.RelativeHumidity = FormatFixed2(sample.RelativeHumidity, locale);
    readouts.FrostLevel = FormatInteger(sample.FrostLevel);
    readouts.AmbientTemperature = FormatFixed2(sample.AmbientTemperature, locale);
    readouts.MirrorTemperature = FormatFixed2(sample.MirrorTemperature, locale);
    readouts.AuxValue1 = FormatInteger(sample.AuxValue1);
    readouts.AuxValue2 = FormatInteger(sample.AuxValue2);
    readouts.AuxValue3 = FormatInteger(sample.AuxValue3);
    readouts.AuxValue4 = FormatInteger(sample.AuxValue4);
    readouts.RunTime = RunTimeText(sample.RunHalfDays, sample.RunHours, sample.RunSeconds);
    return readouts;
}
