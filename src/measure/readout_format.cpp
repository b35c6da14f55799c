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
    readouts.Edit20 = FormatFixed2(sample.DewPoint, locale);
    readouts.Edit7 = FormatGeneral4(sample.HeadTemperature, locale);
    readouts.Edit8 = FormatInteger(sample.MirrorDewLevel);
    readouts.Edit9 = FormatInteger(sample.PeltierPower);
    readouts.Edit6 = FormatFixed2(sample.RelativeHumidity, locale);
    readouts.Edit13 = FormatInteger(sample.FrostLevel);
    readouts.Edit14 = FormatFixed2(sample.AmbientTemperature, locale);
    readouts.Edit15 = FormatFixed2(sample.MirrorTemperature, locale);
    readouts.Edit21 = FormatInteger(sample.AuxValue1);
    readouts.Edit19 = FormatInteger(sample.AuxValue2);
    readouts.Edit23 = FormatInteger(sample.AuxValue3);
    readouts.Edit22 = FormatInteger(sample.AuxValue4);
    readouts.Label35 = RunTimeText(sample.RunHalfDays, sample.RunHours, sample.RunSeconds);
    return readouts;
}

std::array<ReadoutText, kReadoutControlCount> ReadoutsInShowOrder(
    const MeasurementReadouts& readouts) {
    return {{
        {"Edit20", readouts.Edit20},
        {"Edit7", readouts.Edit7},
        {"Edit8", readouts.Edit8},
        {"Edit9", readouts.Edit9},
        {"Edit6", readouts.Edit6},
        {"Edit13", readouts.Edit13},
        {"Edit14", readouts.Edit14},
        {"Edit15", readouts.Edit15},
        {"Edit21", readouts.Edit21},
        {"Edit19", readouts.Edit19},
        {"Edit23", readouts.Edit23},
        {"Edit22", readouts.Edit22},
        {"Label35", readouts.Label35},
    }};
}
