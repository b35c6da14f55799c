// The chart page's handlers on a real Form1: live samples onto the seven series, and "Wczytaj
// wykres" loading files from a scratch directory.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/main_window.h"
#include "chart/ole_date.h"
#include "common/language.h"
#include "common/modal_closer.h"
#include "logger/logger_record.h"

namespace {

struct XY {
    double x, y;
};

std::vector<XY> PointsOf(const HygroChart& chart, ChartSeries series) {
    std::vector<XY> points;
    const SeriesPoints& data = chart.Points(series);
    for (auto it = data.constBegin(); it != data.constEnd(); ++it) {
        points.push_back({it->key, it->value});
    }
    return points;
}

// x values computed here and in the loader may differ in the last bit.
void ExpectPoints(const std::vector<XY>& actual, const std::vector<XY>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "point " << i);
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-12);
        EXPECT_EQ(actual[i].y, expected[i].y);
    }
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
}

constexpr double kHour = 1.0 / 24.0;
constexpr int kExportWait = 60'000;

TEST(ChartPageTest, EachSampleAddsOnePointToEverySeriesAtItsDateAndTime) {
    struct Case {
        const char* name;
        std::function<void(MeasurementSample&)> set;
        ChartSeries series;
        double y;
    };
    const Case cases[] = {
        {"DewPoint -1234 on DewPointSeries", [](MeasurementSample& s) { s.DewPoint = -1234; },
         DewPointSeries, -12.34},
        {"MirrorDewLevel 200 on the hidden MirrorDewLevelSeries",
         [](MeasurementSample& s) { s.MirrorDewLevel = 200; }, MirrorDewLevelSeries, 20.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm1 form;
        ChartPage& handlers = *form.ChartTab;
        SampleUpdate update;
        update.sampleCount = 1;
        update.time = QTime(10, 0, 0, 250);
        c.set(update.sample);
        const QDate before = QDate::currentDate();
        handlers.AddSample(update);
        const QDate after = QDate::currentDate();

        const std::vector<XY> points = PointsOf(*form.ChartTab->Chart, c.series);
        ASSERT_EQ(points.size(), 1u);
        EXPECT_DOUBLE_EQ(points[0].y, c.y);
        const double x = points[0].x;
        EXPECT_TRUE(x == OleDate(before, update.time) || x == OleDate(after, update.time)) << x;
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            SCOPED_TRACE(i + 1);
            const std::vector<XY> series =
                PointsOf(*form.ChartTab->Chart, static_cast<ChartSeries>(i));
            ASSERT_EQ(series.size(), 1u);
            EXPECT_EQ(series[0].x, x);
        }
    }
}

// A chart file laid out like the measurement log: a header of two lines, then a counter,
// TAB, the time, TAB and two value slices of five characters.
QByteArray ChartFile(const std::vector<QByteArray>& dataLines) {
    QByteArray bytes = "Nr\tCzas\tPunkt rosy\r\n1\t00:00:00\t99.99 99.99\r\n";
    for (const QByteArray& line : dataLines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

QByteArray LoggedTxt() {
    QByteArray bytes;
    for (int number = 0; number < 4; ++number) {
        LoggerRecord record;
        record.YearCount = 12;
        record.Month = 3;
        record.Day = 5;
        record.Hours = 9;
        record.Minutes = 19;
        record.Seconds = 4;
        record.Humidity = 4512;
        record.Temperature = 2210;
        bytes += LoggerDumpLine(number, record);
    }
    return bytes;
}

TEST(ChartPageTest, LoadFileEmptiesTheDewPointSeriesAndPlotsTheFilesColumns) {
    // Before each case: one live point on DewPointSeries and HeadTemperatureSeries, the bottom axis
    // made manual.
    const double live = OleDate(QDate(2024, 3, 31), QTime(12, 0));
    struct Case {
        const char* name;
        std::vector<std::optional<QByteArray>> files;  // loaded in turn; none: missing
        std::vector<XY> series1;
        std::vector<XY> series2;
        QStringList boxes;
        bool bottomAutomatic;
    };
    const Case cases[] = {
        {"loaded twice: DewPointSeries the second file only, HeadTemperatureSeries both",
         {ChartFile({"1\t10:00:00\t 12.5-3.25", "2\t11:00:00\t 13.5-4.25"}),
          ChartFile({"1\t12:00:00\t 1.00 2.00"})},
         {{12 * kHour, 1.0}},
         {{10 * kHour, -3.25}, {11 * kHour, -4.25}, {12 * kHour, 2.0}, {live, 2.0}},
         {},
         true},
        {"zero and empty slices add no point",
         {ChartFile({"1\t10:00:00\t00.00 7.5", "2\t11:00:00\t 8.5", "3\t12:00:00\t"})},
         {{11 * kHour, 8.5}},
         {{10 * kHour, 7.5}, {live, 2.0}},
         {},
         true},
        {"a missing file", {std::nullopt}, {}, {{live, 2.0}}, {"Nie znaleziono pliku."}, false},
        {"a file of two lines",
         {QByteArray("1\t10:00:00\t 12.5 12.5\n2\t11:00:00\t 1.0 1.0\n")},
         {},
         {{live, 2.0}},
         {},
         false},
        {"a logged.txt file stops at its first data line",
         {LoggedTxt()},
         {},
         {{live, 2.0}},
         {"'2012-3-5' is not a valid time."},
         true},
        {"the points before a line that is no time stay",
         {ChartFile({"1\t10:00:00\t 12.5 1.0", "2\t11:00:00\t 13.5", "3\t<b>x</b>\t 14.5",
                     "4\t13:00:00\t 15.5"})},
         {{10 * kHour, 12.5}, {11 * kHour, 13.5}},
         {{10 * kHour, 1.0}, {live, 2.0}},
         {"'<b>x</b>' is not a valid time."},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        TForm1 form;
        ChartPage& handlers = *form.ChartTab;
        ModalCloser modals;
        HygroChart& chart = *form.ChartTab->Chart;
        chart.AddPoint(DewPointSeries, live, 1.0);
        chart.AddPoint(HeadTemperatureSeries, live, 2.0);
        chart.xAxis->setRange(0, 1);
        ASSERT_FALSE(chart.BottomAxisAutomatic());

        int number = 0;
        for (const std::optional<QByteArray>& bytes : c.files) {
            const QString path = dir.filePath(QString("chart%1.txt").arg(++number));
            if (bytes) {
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(*bytes);
            }
            handlers.LoadFile(path);
        }
        {
            SCOPED_TRACE("DewPointSeries");
            ExpectPoints(PointsOf(chart, DewPointSeries), c.series1);
        }
        {
            SCOPED_TRACE("HeadTemperatureSeries");
            ExpectPoints(PointsOf(chart, HeadTemperatureSeries), c.series2);
        }
        QStringList texts;
        for (const ModalCloser::Box& box : modals.boxes()) {
            texts << box.text;
            EXPECT_EQ(box.format, Qt::PlainText);
        }
        EXPECT_EQ(texts, c.boxes);
        EXPECT_EQ(chart.BottomAxisAutomatic(), c.bottomAutomatic);
    }
}

TEST(ChartPageTest, ALoadedFileIsDrawnOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<QByteArray> lines;
    for (int second = 0; second < 5000; ++second) {
        lines.push_back(
            QTime(0, 0).addSecs(second).toString("'1\t'hh:mm:ss'\t 12.5 -3.0'").toUtf8());
    }
    const QString path = dir.filePath("chart.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ChartFile(lines));
    file.close();

    TForm1 form;
    ChartPage& handlers = *form.ChartTab;
    form.Tabs->setCurrentWidget(form.ChartTab);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    Settle();
    int redraws = 0;
    QObject::connect(form.ChartTab->Chart, &QCustomPlot::afterReplot, [&redraws] { ++redraws; });

    handlers.LoadFile(path);
    Settle();
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(form.ChartTab->Chart->Points(DewPointSeries).size(), 5000);
    EXPECT_DOUBLE_EQ(form.ChartTab->Chart->xAxis->range().upper, 4999.0 / 86'400.0);
}

TEST(ChartPageTest, CancelledDialogChangesNothing) {
    TForm1 form;
    ChartPage& handlers = *form.ChartTab;
    ModalCloser modals;
    form.ChartTab->Chart->AddPoint(DewPointSeries, 1.0, 5.0);
    form.ChartTab->Chart->xAxis->setRange(0, 1);

    handlers.ChooseAndLoadFile();
    ASSERT_EQ(modals.boxes().size(), 1);
    EXPECT_EQ(modals.boxes()[0].objectName, "OpenDialog1");
    ExpectPoints(PointsOf(*form.ChartTab->Chart, DewPointSeries), {{1.0, 5.0}});
    EXPECT_FALSE(form.ChartTab->Chart->BottomAxisAutomatic());
}

TEST(ChartPageTest, TheChartMenuInBothLanguages) {
    TForm1 form;
    const auto texts = [&form] {
        std::unique_ptr<QMenu> menu(form.ChartTab->ChartMenu());
        QStringList captions;
        for (const QAction* action : menu->actions()) {
            captions << action->text();
        }
        return captions;
    };
    EXPECT_EQ(texts(), QStringList({"Zapisz obraz…", "Eksportuj dane…", "Pokaż wszystko"}));
    EXPECT_EQ(InEnglish(texts), QStringList({"Save image…", "Export data…", "Show all"}));

    // "Show all" is the double-click: both axes automatic again.
    HygroChart& chart = *form.ChartTab->Chart;
    chart.xAxis->setRange(0, 1);
    chart.yAxis->setRange(0, 1);
    ASSERT_FALSE(chart.BottomAxisAutomatic());
    std::unique_ptr<QMenu> menu(form.ChartTab->ChartMenu());
    menu->actions().at(2)->trigger();
    EXPECT_TRUE(chart.BottomAxisAutomatic());
    EXPECT_TRUE(chart.LeftAxisAutomatic());
}

TEST(ChartPageTest, ImagesAndTheDataInViewAreWrittenAndReadBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TForm1 form;
    ChartPage& page = *form.ChartTab;
    HygroChart& chart = *page.Chart;
    form.Tabs->setCurrentWidget(form.ChartTab);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // Ten minutes of samples, one a second; the view zoomed to the minute from 00:02:00.
    const QDate day(2026, 12, 10);
    for (int second = 0; second < 600; ++second) {
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            chart.AddPoint(static_cast<ChartSeries>(i), OleDate(day, QTime(0, 0).addSecs(second)),
                           static_cast<double>(second + 100 * static_cast<int>(i)) / 100.0);
        }
    }
    chart.xAxis->setRange(OleDate(day, QTime(0, 2)) - 1e-9, OleDate(day, QTime(0, 3)) + 1e-9);
    Settle();

    QSignalSpy ended(&page, &ChartPage::ExportEnded);
    const QString csvPath = dir.filePath("data.csv");
    ASSERT_TRUE(page.StartExport(csvPath));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }, kExportWait));
    EXPECT_EQ(ended.at(0).at(1).toString(), "");
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    ASSERT_EQ(lines.size(), 1 + 61 + 1);  // header, 00:02:00 to 00:03:00, after the last LF
    EXPECT_TRUE(lines.front().startsWith("time,dew_point,"));
    EXPECT_TRUE(lines[1].startsWith("2026-12-10T00:02:00.000")) << lines[1].toStdString();
    EXPECT_TRUE(lines[61].startsWith("2026-12-10T00:03:00.000")) << lines[61].toStdString();
    EXPECT_TRUE(lines[1].endsWith(",1.2,2.2,3.2,4.2,5.2,6.2,7.2")) << lines[1].toStdString();
    EXPECT_EQ(lines.back(), "");

    for (const char* name : {"chart.png", "chart.pdf"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        EXPECT_EQ(page.SaveImage(path), "");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (path.endsWith(".pdf")) {
            EXPECT_TRUE(bytes.startsWith("%PDF"));
        } else {
            const QImage image = QImage::fromData(bytes, "PNG");
            EXPECT_EQ(image.size(), chart.size());
            // The dew point line is drawn in red somewhere.
            bool red = false;
            for (int y = 0; y < image.height() && !red; ++y) {
                for (int x = 0; x < image.width() && !red; ++x) {
                    red = image.pixelColor(x, y) == QColor(255, 0, 0);
                }
            }
            EXPECT_TRUE(red);
        }
    }

    // A folder that does not exist: a text for the error box, nothing pretends success.
    const QString missing = dir.filePath("missing/data");
    {
        const ModalCloser closer;
        ASSERT_TRUE(page.StartExport(missing + ".csv"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 2; }, kExportWait));
    }
    EXPECT_NE(ended.at(1).at(1).toString(), "");
    EXPECT_NE(page.SaveImage(missing + ".png"), "");
}

}  // namespace
