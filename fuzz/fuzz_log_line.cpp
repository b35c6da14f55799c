// The measurement log line: a measurement record's readouts, the time of day in the locale's
// long format with its zone taken out, and the line built from them, read back as the chart
// loader reads the program's own log.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTime>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "measure/log_line.h"
#include "measure/measurement_record.h"
#include "measure/readout_format.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"
#include "support/fuzz_locales.h"
#include "viewer/chart_file_parser.h"
#include "viewer/time_text.h"

namespace {

// |hundredths| to 4 significant digits, ties away from zero, still in hundredths.
int Rounded(int hundredths) {
    const int magnitude = std::abs(hundredths);
    return magnitude >= 10000 ? (magnitude + 5) / 10 * 10 : magnitude;
}

// "-12.34" and the like: a minus only for negatives, then digits, the locale's separator
// and `fraction` as the digits after it. Returns the value in hundredths.
int ReadFixed(const QString& text, const QString& point, int* fractionDigits) {
    const bool negative = text.startsWith(u'-');
    const QString body = negative ? text.sliced(1) : text;
    const qsizetype at = body.indexOf(point);
    const QString whole = at < 0 ? body : body.left(at);
    const QString fraction = at < 0 ? QString() : body.sliced(at + point.size());
    bool okWhole = false;
    const int units = whole.toInt(&okWhole);
    FUZZ_CHECK(okWhole && !whole.startsWith(u'+') && !whole.startsWith(u'-'));
    FUZZ_CHECK(whole == QString::number(units));
    int hundredths = units * 100;
    if (!fraction.isEmpty()) {
        bool okFraction = false;
        const int digits = fraction.toInt(&okFraction);
        FUZZ_CHECK(okFraction && fraction.size() <= 2 && !fraction.startsWith(u'+'));
        hundredths += fraction.size() == 1 ? digits * 10 : digits;
    }
    *fractionDigits = static_cast<int>(fraction.size());
    return negative ? -hundredths : hundredths;
}

void CheckFixed2(std::int16_t value, const QString& text, const QString& point) {
    int fractionDigits = 0;
    FUZZ_CHECK(ReadFixed(text, point, &fractionDigits) == (value < 0 ? -1 : 1) * Rounded(value));
    FUZZ_CHECK(fractionDigits == 2);
}

void CheckGeneral4(std::int16_t value, const QString& text, const QString& point) {
    int fractionDigits = 0;
    FUZZ_CHECK(ReadFixed(text, point, &fractionDigits) == (value < 0 ? -1 : 1) * Rounded(value));
    // No trailing zero and no bare separator.
    FUZZ_CHECK(!text.endsWith(u'0') || fractionDigits == 0);
    FUZZ_CHECK(!text.endsWith(point));
}

void CheckReadouts(const MeasurementSample& s, const MeasurementReadouts& r, const QLocale& l) {
    const QString point = l.decimalPoint();
    CheckFixed2(s.DewPoint, r.DewPoint, point);
    CheckGeneral4(s.HeadTemperature, r.HeadTemperature, point);
    CheckFixed2(s.RelativeHumidity, r.RelativeHumidity, point);
    CheckFixed2(s.AmbientTemperature, r.AmbientTemperature, point);
    CheckFixed2(s.MirrorTemperature, r.MirrorTemperature, point);
    FUZZ_CHECK(r.MirrorDewLevel == QString::number(s.MirrorDewLevel));
    FUZZ_CHECK(r.PeltierPower == QString::number(s.PeltierPower));
    FUZZ_CHECK(r.FrostLevel == QString::number(s.FrostLevel));
    FUZZ_CHECK(r.AuxValue1 == QString::number(s.AuxValue1));
    FUZZ_CHECK(r.AuxValue2 == QString::number(s.AuxValue2));
    FUZZ_CHECK(r.AuxValue3 == QString::number(s.AuxValue3));
    FUZZ_CHECK(r.AuxValue4 == QString::number(s.AuxValue4));
    FUZZ_CHECK(r.RunTime == QStringLiteral("Poldni:%1 godzin:%2 sekund:%3")
                                .arg(s.RunHalfDays)
                                .arg(s.RunHours)
                                .arg(s.RunSeconds));
}

void CheckLine(const QByteArray& line, int count, const QString& timeText,
               const MeasurementSample& s, const MeasurementReadouts& r) {
    FUZZ_CHECK(line.endsWith("\r\n"));
    const QList<QByteArray> fields = line.chopped(2).split('\t');
    FUZZ_CHECK(fields.size() == 11);
    FUZZ_CHECK(!line.chopped(2).contains('\r') && !line.chopped(2).contains('\n'));
    const QString expected[] = {
        QString::number(count),
        timeText,
        QString::number(s.DewPoint),
        QString::number(s.RelativeHumidity),
        QString::number(s.AmbientTemperature),
        r.DewPoint,
        r.RelativeHumidity,
        r.AmbientTemperature,
        r.MirrorTemperature,
        r.MirrorDewLevel,
        r.FrostLevel,
    };
    for (qsizetype i = 0; i < fields.size(); ++i) {
        FUZZ_CHECK(QString::fromUtf8(fields[i]) == expected[i]);
    }
}

// The line as the third line of a chart file (after two headers) loads without error, and
// every point it gives stands at `dayFraction`.
void CheckLoadsBack(const QByteArray& line, const TimeTextRules& rules, double dayFraction) {
    const QByteArray file = "header\r\nheader\r\n" + line;
    const LoadedPoints points =
        ParseChartFile(std::string_view(file.data(), static_cast<std::size_t>(file.size())), rules);
    FUZZ_CHECK(!points.error && points.dataLines == 1);
    for (const double x : points.x1) {
        FUZZ_CHECK(x == dayFraction);
    }
    for (const double x : points.x2) {
        FUZZ_CHECK(x == dayFraction);
    }
}

// Quoted text is literal; '' inside or outside a quote stands for one quote.
bool HasZoneToken(const QString& format) {
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c == u't') {
            return true;
        }
    }
    return false;
}

bool IsSubsequence(const QString& part, const QString& whole) {
    qsizetype at = 0;
    for (const QChar c : part) {
        at = whole.indexOf(c, at);
        if (at < 0) {
            return false;
        }
        ++at;
    }
    return true;
}

void CheckFormat(const QString& format) {
    const QString cleaned = TimeFormatWithoutZone(format);
    FUZZ_CHECK(!HasZoneToken(cleaned));
    FUZZ_CHECK(cleaned == cleaned.trimmed());
    FUZZ_CHECK(IsSubsequence(cleaned, format));
    FUZZ_CHECK(TimeFormatWithoutZone(cleaned) == cleaned);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const auto recordBytes = in.Bytes(kMeasurementReplySize);
    const std::vector<std::uint8_t> record(recordBytes.begin(), recordBytes.end());
    const MeasurementSample sample = DecodeMeasurement(record);
    const QTime time(in.Byte() % 24, in.Byte() % 60, in.Byte() % 60);
    const int count = in.Word();
    const auto formatBytes = in.Rest();
    CheckFormat(QString::fromUtf8(reinterpret_cast<const char*>(formatBytes.data()),
                                  static_cast<qsizetype>(formatBytes.size())));

    const double dayFraction = time.msecsSinceStartOfDay() / 86'400'000.0;
    const auto locales = FuzzLocales();
    for (std::size_t i = 0; i < locales.size(); ++i) {
        const FuzzLocale& locale = locales[i];
        const MeasurementReadouts readouts = FormatReadouts(sample, locale.locale);
        CheckReadouts(sample, readouts, locale.locale);
        const QString timeText = LongTimeText(time, locale.locale);
        const QByteArray line = MeasurementLogLine(count, timeText, sample, readouts);
        CheckLine(line, count, timeText, sample, readouts);
        if (i == kKoreanLocale || i == kArabicLocale) {
            continue;  // their clocks are not written with ASCII digits and separators
        }
        // The time the log shows reads back as the same time of day.
        const QByteArray timeUtf8 = timeText.toUtf8();
        const std::optional<double> shown = ParseTimeOfDay(
            std::string_view(timeUtf8.data(), static_cast<std::size_t>(timeUtf8.size())),
            locale.rules);
        FUZZ_CHECK(shown && *shown == dayFraction);
        // Where the clock always writes eight characters the loader reads the log's own
        // lines back with their time.
        if (i == kCLocale || i == kPolishLocale || (i == kFinnishLocale && time.hour() >= 10)) {
            CheckLoadsBack(line, locale.rules, dayFraction);
        }
    }
    return 0;
}
