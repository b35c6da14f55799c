// The Quantities tab: each quantity with its unit, "out of range" instead of a number that
// looks valid, the window's statistics and verdict, the criteria kept between runs, the
// point on the clipboard, and readouts that grow with the window.
#include "app/quantities_page.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>

#include "app/quantity_texts.h"
#include "app/stability_settings.h"
#include "session/instrument_session.h"
#include "texts/interface_language.h"

namespace {

// 14:03:12 UTC (the tests' zone) on 2026-12-10, and the sample 75 s later.
constexpr double kStableSince = 1796911392.0;
const QDateTime kSampleTime = QDateTime::fromSecsSinceEpoch(1796911467, Qt::UTC);

SampleUpdate Update(bool stable) {
    SampleUpdate u;
    u.sampleCount = 12;
    u.dateTime = kSampleTime;
    u.time = u.dateTime.time();
    u.sample.DewPoint = -1234;
    u.sample.AmbientTemperature = 2210;
    humidity::SampleHumidity h;
    h.quantities.vapourPressurePa = 244.5678912;
    h.quantities.frostPoint = -11.0123456;
    h.quantities.relativeHumidityCalculated = 8.765432;
    h.quantities.absoluteHumidityGPerM3 = 1.7899999;
    h.quantities.mixingRatioGPerKg = 1.5036;
    h.quantities.ppmv = 2417.49;
    h.quantities.pressureHpa = 1000.0;
    h.pressureSource = humidity::PressureSource::Instrument;
    h.statistics.count = 601;
    h.statistics.spanSeconds = 600.0;
    h.statistics.mean = -12.3412;
    h.statistics.minimum = -12.36;
    h.statistics.maximum = -12.32;
    h.statistics.standardDeviation = 0.0051;
    h.statistics.driftPerHour = -0.0123;
    h.statistics.stable = stable;
    if (stable) {
        h.statistics.stableSince = kStableSince;
    }
    h.atMean = h.quantities;
    h.ambientMean = 22.1;
    u.humidity = h;
    return u;
}

TEST(QuantitiesPage, ShowsEachQuantityWithItsUnit) {
    QuantitiesPage page;
    page.ShowSample(Update(false));
    const struct {
        const QuantitiesPage::Readout& readout;
        const char* value;
        const char* unit;
    } rows[] = {
        {page.DewPoint, "-12.34", "°C"},
        {page.AmbientTemperature, "22.10", "°C"},
        {page.VapourPressure, "244.57", "Pa"},
        {page.FrostPoint, "-11.01", "°C"},
        {page.RelativeHumidity, "8.7654", "%"},
        {page.RelativeHumidityIce, "—", "%"},
        {page.AbsoluteHumidity, "1.7900", "g/m³"},
        {page.MixingRatio, "1.5036", "g/kg"},
        {page.Ppmv, "2417.5", "ppmv"},
        {page.Pressure, "1000.00", "hPa"},
        {page.Mean, "-12.34", "°C"},
        {page.StandardDeviation, "0.005100", "°C"},
        {page.Minimum, "-12.36", "°C"},
        {page.Maximum, "-12.32", "°C"},
        {page.Drift, "-0.01230", "°C/h"},
        {page.Count, "601", ""},
        {page.Span, "600", "s"},
    };
    EXPECT_EQ(page.Pressure.caption->text(), "Ciśnienie (z przyrządu)");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.readout.value->objectName().toStdString());
        EXPECT_EQ(row.readout.value->text(), QString::fromUtf8(row.value));
        EXPECT_EQ(row.readout.unit->text(), QString::fromUtf8(row.unit));
        EXPECT_FALSE(row.readout.caption->text().isEmpty());
    }
}

TEST(QuantitiesPage, OutOfRangeIsSaidNotShownAsANumber) {
    QuantitiesPage page;
    SampleUpdate u = Update(false);
    u.humidity->quantities = humidity::HumidityQuantities{};
    u.humidity->quantities.problems = humidity::kDewPointOutOfRange;
    u.humidity->scale = humidity::TemperatureScale::Fahrenheit;
    page.ShowSample(u);
    for (const QuantitiesPage::Readout* r :
         {&page.VapourPressure, &page.FrostPoint, &page.RelativeHumidity, &page.AbsoluteHumidity,
          &page.MixingRatio, &page.Ppmv}) {
        EXPECT_EQ(r->value->text(), "poza zakresem") << r->value->objectName().toStdString();
    }
    EXPECT_EQ(page.DewPoint.unit->text(), "°F");
    EXPECT_EQ(page.Drift.unit->text(), "°F/h");
}

TEST(QuantitiesPage, TheVerdictSinceWhenAndForHowLong) {
    QuantitiesPage page;
    QSignalSpy status(&page, &QuantitiesPage::VerdictChanged);
    page.ShowSample(Update(false));
    EXPECT_EQ(page.VerdictLabel->text(), "Niestabilny");
    EXPECT_EQ(page.StableForLabel->text(), "okno: 600 z 600 s");
    page.ShowSample(Update(true));
    EXPECT_EQ(page.VerdictLabel->text(), "Stabilny od 14:03:12");
    EXPECT_EQ(page.StableForLabel->text(), "czas stabilności: 1 min 15 s");
    ASSERT_EQ(status.size(), 2);
    EXPECT_EQ(status[0][0].toString(), "Punkt rosy: niestabilny");
    EXPECT_EQ(status[1][0].toString(), "Punkt rosy: stabilny od 14:03:12");
}

TEST(QuantitiesPage, CopiesThePointAsAHeaderAndAValueLine) {
    QuantitiesPage page;
    EXPECT_FALSE(page.CopyPointButton->isEnabled());
    EXPECT_EQ(page.CopyPoint(), "");
    page.ShowSample(Update(true));
    ASSERT_TRUE(page.CopyPointButton->isEnabled());
    page.CopyPointButton->click();
    const QString copied = QGuiApplication::clipboard()->text();
    const QStringList lines = copied.split('\n');
    ASSERT_EQ(lines.size(), 3) << copied.toStdString();
    const QStringList names = lines[0].split('\t');
    const QStringList values = lines[1].split('\t');
    ASSERT_EQ(names.size(), values.size());
    const auto valueOf = [&](const char* name) { return values.value(names.indexOf(name)); };
    EXPECT_EQ(valueOf("dew_point_mean"), "-12.3412");
    EXPECT_EQ(valueOf("dew_point_sd"), "0.00510000");
    EXPECT_EQ(valueOf("dew_point_drift_per_h"), "-0.0123000");
    EXPECT_EQ(valueOf("samples"), "601");
    EXPECT_EQ(valueOf("span_s"), "600.000");
    EXPECT_EQ(valueOf("ppmv"), "2417.49");
    EXPECT_EQ(valueOf("stable"), "1");
    EXPECT_EQ(copied, page.CopyPoint());
}

TEST(QuantitiesPage, TheCriteriaAreKeptBetweenRuns) {
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    {
        InstrumentSession session(SessionOptions{});
        QuantitiesPage page;
        page.Attach(session);
        EXPECT_EQ(page.WindowEdit->value(), 600.0) << "the defaults before anything is kept";
        EXPECT_EQ(page.BandEdit->value(), 0.10);
        EXPECT_EQ(page.DriftEdit->value(), 0.20);
        page.WindowEdit->setValue(300.0);
        page.BandEdit->setValue(0.05);
        page.DriftEdit->setValue(0.5);
        const humidity::StabilityCriteria now = session.CurrentStabilityCriteria();
        EXPECT_EQ(now.windowSeconds, 300.0);
        EXPECT_EQ(now.bandDegrees, 0.05);
        EXPECT_EQ(now.driftDegreesPerHour, 0.5);
    }
    InstrumentSession session(SessionOptions{});
    QuantitiesPage page;
    page.Attach(session);
    EXPECT_EQ(page.WindowEdit->value(), 300.0);
    EXPECT_EQ(page.BandEdit->value(), 0.05);
    EXPECT_EQ(page.DriftEdit->value(), 0.5);
    EXPECT_EQ(session.CurrentStabilityCriteria().windowSeconds, 300.0) << "the next run's";
}

TEST(QuantitiesPage, ReadoutsGrowWithTheWindow) {
    QuantitiesPage page;
    page.resize(745, 520);
    page.show();
    page.ShowSample(Update(true));
    const int small = page.Mean.value->font().pixelSize();
    const int verdictSmall = page.VerdictLabel->font().pixelSize();
    page.resize(1490, 1040);
    EXPECT_EQ(page.Mean.value->font().pixelSize(), 2 * small);
    EXPECT_EQ(page.VerdictLabel->font().pixelSize(), 2 * verdictSmall);
}

// At the window's smallest size, in both languages, the widest run-time texts stay whole.
TEST(QuantitiesPage, EveryTextIsWholeAtTheSmallestSize) {
    for (const InterfaceLanguage language :
         {InterfaceLanguage::Polish, InterfaceLanguage::English}) {
        SCOPED_TRACE(language == InterfaceLanguage::Polish ? "Polish" : "English");
        const InterfaceTranslator translator(language);
        QuantitiesPage page;
        page.resize(745, 520);
        page.show();
        SampleUpdate wide = Update(true);
        wide.sample.DewPoint = wide.sample.AmbientTemperature = -32768;
        wide.humidity->quantities = humidity::HumidityQuantities{};
        wide.humidity->quantities.problems = humidity::kDewPointOutOfRange;
        wide.humidity->pressureSource = humidity::PressureSource::CommandLine;
        wide.humidity->statistics.mean = wide.humidity->statistics.minimum =
            wide.humidity->statistics.maximum = -327.68;
        // The most the instrument's dew point can give: ±327.68 ° a second apart, and a sd
        // of half the range.
        wide.humidity->statistics.driftPerHour = -655.35 * 3600;
        wide.humidity->statistics.standardDeviation = 327.675;
        wide.humidity->statistics.count = 2678400;
        wide.humidity->statistics.spanSeconds = 2678400;
        wide.humidity->statistics.stableSince = kStableSince - 86399;
        page.ShowSample(wide);
        QCoreApplication::processEvents();  // the layouts take the new texts
        for (const QLabel* label : page.findChildren<QLabel*>()) {
            SCOPED_TRACE(label->objectName().toStdString() + ": " + label->text().toStdString());
            const QFontMetrics metrics(label->font());
            EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width());
            EXPECT_LE(metrics.height(), label->contentsRect().height());
        }
    }
}

TEST(QuantityTexts, NumbersAndDurations) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(SignificantNumber(2350.298, 5, c), "2350.3");
    EXPECT_EQ(SignificantNumber(0.0507001, 5, c), "0.050700");
    EXPECT_EQ(SignificantNumber(-8.901634, 5, c), "-8.9016");
    EXPECT_EQ(SignificantNumber(-0.0000001, 5, c), "0.000000");
    EXPECT_EQ(SignificantNumber(2350.298, 5, QLocale(QLocale::Polish)), "2350,3");
    EXPECT_EQ(StableForText(0), "0 s");
    EXPECT_EQ(StableForText(59), "59 s");
    EXPECT_EQ(StableForText(725), "12 min 5 s");
    EXPECT_EQ(StableForText(3 * 3600 + 7 * 60 + 59), "3 h 07 min");
}

}  // namespace
