#include "measure/log_line.h"

#include <QStringList>

namespace {

bool IsSeparator(QChar c) {
    return c.isSpace() || c == QLatin1Char(',');
}

// Index just past the quoted literal that starts at `quote` ('' inside stands for ').
qsizetype SkipQuoted(const QString& format, qsizetype quote) {
    qsizetype i = quote + 1;
    while (i < format.size()) {
        if (format[i] == QLatin1Char('\'')) {
            if (i + 1 < format.size() && format[i + 1] == QLatin1Char('\'')) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

}  // namespace

QString TimeFormatWithoutZone(const QString& timeFormat) {
    QString format = timeFormat;
    qsizetype i = 0;
    while (i < format.size()) {
        if (format[i] == QLatin1Char('\'')) {
            i = SkipQuoted(format, i);
            continue;
        }
        if (format[i] != QLatin1Char('t')) {
            ++i;
            continue;
        }
        qsizetype begin = i;
        qsizetype end = i;
        while (end < format.size() && format[end] == QLatin1Char('t')) {
            ++end;
        }
        // "(t)" and "[t]": the brackets go with the zone.
        qsizetype left = begin;
        qsizetype right = end;
        while (left > 0 && format[left - 1].isSpace()) {
            --left;
        }
        while (right < format.size() && format[right].isSpace()) {
            ++right;
        }
        if (left > 0 && right < format.size() &&
            ((format[left - 1] == QLatin1Char('(') && format[right] == QLatin1Char(')')) ||
             (format[left - 1] == QLatin1Char('[') && format[right] == QLatin1Char(']')))) {
            begin = left - 1;
            end = right + 1;
        }
        // The separator that joined the zone to the time goes too: before it, or after it
        // when the zone came first.
        left = begin;
        while (left > 0 && IsSeparator(format[left - 1])) {
            --left;
        }
        if (left > 0) {
            begin = left;
        } else {
            while (end < format.size() && IsSeparator(format[end])) {
                ++end;
            }
        }
        format.remove(begin, end - begin);
        i = begin;
    }
    return format.trimmed();
}

QString LongTimeText(const QTime& time, const QLocale& locale) {
    // The log shows the time of day only; a zone name there would just be noise.
    return locale.toString(time, TimeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat)));
}

QByteArray MeasurementLogLine(int sampleCount, const QString& timeText,
                              const MeasurementSample& sample,
                              const MeasurementReadouts& readouts) {
    const QStringList fields = {
        FormatInteger(sampleCount),
        timeText,
        FormatInteger(sample.DewPoint),
        FormatInteger(sample.RelativeHumidity),
        FormatInteger(sample.AmbientTemperature),
        readouts.DewPoint,
        readouts.RelativeHumidity,
        readouts.AmbientTemperature,
        readouts.MirrorTemperature,
        readouts.MirrorDewLevel,
        readouts.FrostLevel,
    };
    return (fields.join(QLatin1Char('\t')) + QStringLiteral("\r\n")).toLocal8Bit();
}
