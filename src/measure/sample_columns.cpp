#include "measure/sample_columns.h"

#include <cstdlib>

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

std::array<QString, kSampleColumnCount> SampleColumnTexts(const SampleValues& values) {
    const MeasurementSample& s = values.sample;
    return {
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
}
