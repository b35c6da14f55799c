#include "measure/log_line.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <cstdint>
#include <vector>

#include "measure/measurement_record.h"
#include "measure/readout_format.h"

namespace {

struct FormatCase {
    const char* format;
    const char* expected;
};

TEST(TimeFormatWithoutZone, TakesOutTheZoneAndWhatSetsItApart) {
    const FormatCase cases[] = {
        {"HH:mm:ss", "HH:mm:ss"},
        {"HH:mm:ss t", "HH:mm:ss"},
        {"h:mm:ss AP t", "h:mm:ss AP"},
        {"h:mm:ss AP, t", "h:mm:ss AP"},
        {"HH:mm:ss (t)", "HH:mm:ss"},
        {"APh:mm:ss [t]", "APh:mm:ss"},
        {"'Klock' H.mm:ss (t)", "'Klock' H.mm:ss"},
        {"t HH:mm:ss", "HH:mm:ss"},
        {"t APh:mm:ss", "APh:mm:ss"},
        {"HH:mm:ss tttt", "HH:mm:ss"},
        {"H:mm:ss 't'. t", "H:mm:ss 't'."},
        {"'it''s t' HH:mm t", "'it''s t' HH:mm"},
        {"HH:mm (zone t) ss", "HH:mm (zone) ss"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(TimeFormatWithoutZone(QString::fromUtf8(c.format)),
                  QString::fromUtf8(c.expected));
    }
}

struct TimeCase {
    QLocale locale;
    QTime time;
    const char* expected;
};

TEST(LongTimeText, UsesTheLocalesLongFormatWithoutZone) {
    const TimeCase cases[] = {
        {QLocale::c(), QTime(14, 5, 9), "14:05:09"},
        {QLocale::c(), QTime(0, 0, 0), "00:00:00"},
        {QLocale(QLocale::English, QLocale::UnitedStates), QTime(14, 5, 9), "2:05:09 PM"},
        {QLocale(QLocale::English, QLocale::UnitedStates), QTime(9, 5, 9), "9:05:09 AM"},
        {QLocale(QLocale::Polish, QLocale::Poland), QTime(14, 5, 9), "14:05:09"},
        {QLocale(QLocale::Polish, QLocale::Poland), QTime(9, 5, 9), "09:05:09"},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString() + " " + c.time.toString().toStdString());
        EXPECT_EQ(LongTimeText(c.time, c.locale), QString::fromUtf8(c.expected));
    }
}

TEST(LongTimeText, NoLocaleShowsTheZone) {
    const QString zone = QDateTime::currentDateTime().timeZoneAbbreviation();
    ASSERT_FALSE(zone.isEmpty());
    const auto locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale& locale : locales) {
        SCOPED_TRACE(locale.name().toStdString());
        const QString text = LongTimeText(QTime(14, 5, 9), locale);
        EXPECT_FALSE(text.contains(zone)) << text.toStdString();
        EXPECT_FALSE(text.contains(QLatin1String("()")) || text.contains(QLatin1String("[]")))
            << text.toStdString();
        EXPECT_EQ(text, text.trimmed());
        EXPECT_FALSE(text.endsWith(QLatin1Char(','))) << text.toStdString();
    }
}

// Dew point -0.50, head 25.50, dew level C8, Peltier 34, humidity 45.12, frost 7,
// ambient 21.50, mirror -3.00, aux 1 to 4: only the logged ones may appear in the line.
const std::vector<std::uint8_t> kReply = {
    0xFF, 0xCE, 0x00, 0x00, 0x00, 0x09, 0xF6, 0xC8, 0x22, 0x00, 0x11, 0xA0, 0x00, 0x07, 0x08, 0x66,
    0xFE, 0xD4, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00, 0x02, 0x00, 0x07, 0x07, 0x08,
};

struct LineCase {
    const char* name;
    int sampleCount;
    QString timeText;
    std::vector<std::uint8_t> reply;
    QLocale locale;
    QByteArray expected;
};

TEST(MeasurementLogLine, WritesElevenTabSeparatedFieldsAndCrLf) {
    const LineCase cases[] = {
        {"one sample", 1, QStringLiteral("14:05:09"), kReply, QLocale::c(),
         "1\t14:05:09\t-50\t4512\t2150\t-0.50\t45.12\t21.50\t-3.00\t200\t7\r\n"},
        {"comma locale", 1, QStringLiteral("14:05:09"), kReply,
         QLocale(QLocale::Polish, QLocale::Poland),
         "1\t14:05:09\t-50\t4512\t2150\t-0,50\t45,12\t21,50\t-3,00\t200\t7\r\n"},
        {"12-hour time, highest count", 2147483647, QStringLiteral("2:05:09 PM"), kReply,
         QLocale::c(),
         "2147483647\t2:05:09 PM\t-50\t4512\t2150\t-0.50\t45.12\t21.50\t-3.00\t200\t7\r\n"},
        {"non-ASCII day-period marker stays UTF-8", 3,
         QString::fromUtf8("\xEC\x98\xA4\xED\x9B\x84 2:05:09"), kReply, QLocale::c(),
         "3\t\xEC\x98\xA4\xED\x9B\x84 "
         "2:05:09\t-50\t4512\t2150\t-0.50\t45.12\t21.50\t-3.00\t200\t7\r\n"},
        {"all-zero record", 4, QStringLiteral("00:00:00"),
         std::vector<std::uint8_t>(kMeasurementReplySize, 0), QLocale::c(),
         "4\t00:00:00\t0\t0\t0\t0.00\t0.00\t0.00\t0.00\t0\t0\r\n"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        const MeasurementSample sample = DecodeMeasurement(c.reply);
        EXPECT_EQ(
            MeasurementLogLine(c.sampleCount, c.timeText, sample, FormatReadouts(sample, c.locale)),
            c.expected);
    }
}

}  // namespace
