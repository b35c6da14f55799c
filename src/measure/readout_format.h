#pragma once
// Texts of the Hygrometer tab readouts. Numbers take the decimal separator of the given
// locale but never its grouping or its minus sign: readouts and the log always use "-".

#include <QLocale>
#include <QString>
#include <cstdint>

#include "measure/measurement_record.h"

// hundredths / 100 rounded to at most 4 significant digits (ties away from zero), always
// with exactly 2 decimals: -1234 -> "-12.34", 500 -> "5.00", 12345 -> "123.50".
QString FormatFixed2(std::int16_t hundredths, const QLocale& locale);

// hundredths / 100 rounded like FormatFixed2, trailing zeros and a bare separator dropped:
// 2550 -> "25.5", 2500 -> "25", 12345 -> "123.5".
QString FormatGeneral4(std::int16_t hundredths, const QLocale& locale);

// Plain decimal, no grouping: 65535 -> "65535", -1 -> "-1".
QString FormatInteger(long long value);

// The run-time label, the same in every interface language: "Poldni:2 godzin:7 sekund:1800".
QString RunTimeText(std::uint16_t halfDays, std::uint16_t hours, std::uint16_t seconds);

// One text per readout, in the order the readouts are written.
struct MeasurementReadouts {
    QString DewPoint;
    QString HeadTemperature;
    QString MirrorDewLevel;
    QString PeltierPower;
    QString RelativeHumidity;
    QString FrostLevel;
    QString AmbientTemperature;
    QString MirrorTemperature;
    QString AuxValue1;
    QString AuxValue2;
    QString AuxValue3;
    QString AuxValue4;
    QString RunTime;

    bool operator==(const MeasurementReadouts&) const = default;
};

MeasurementReadouts FormatReadouts(const MeasurementSample& sample, const QLocale& locale);
