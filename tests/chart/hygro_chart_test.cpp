// Chart1 itself: its configuration, when it redraws, and how its axes follow the data.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <vector>

#include "chart/column_graph.h"
#include "chart/hygro_chart.h"
#include "chart/ole_date.h"
#include "chart/time_axis_ticker.h"

namespace {

// Counts the chart's redraws.
class RedrawCounter {
  public:
    explicit RedrawCounter(QCustomPlot& chart) {
        QObject::connect(&chart, &QCustomPlot::afterReplot, &context_, [this] { ++count_; });
    }
    int count() const { return count_; }
    void reset() { count_ = 0; }

  private:
    QObject context_;
    int count_ = 0;
};

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
}

void ShowAlone(HygroChart& chart) {
    chart.resize(753, 537);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    Settle();
}

void AddSample(HygroChart& chart, double x, double y) {
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        chart.AddPoint(static_cast<ChartSeries>(i), x, y + static_cast<double>(i));
    }
}

const double kDay = OleDate(QDate(2024, 3, 31), QTime(0, 0));
constexpr double kSecond = 1.0 / 86'400.0;

TEST(HygroChartTest, SeriesLookAndStartAsConfigured) {
    struct Case {
        ChartSeries series;
        const char* title;
        QColor colour;
        int width;
        bool shown;
    };
    const Case cases[] = {
        {DewPointSeries, "°Cdp", QColor(255, 0, 0), 2, true},
        {HeadTemperatureSeries, "Radiator", QColor(0, 128, 0), 1, false},
        {MirrorDewLevelSeries, "Rosa", QColor(255, 255, 0), 2, false},
        {PeltierPowerSeries, "Moc", QColor(128, 0, 64), 1, false},
        {FrostLevelSeries, "Szron", QColor(0, 0, 0), 1, false},
        {MirrorTemperatureSeries, "Lustro", QColor(255, 128, 64), 2, false},
        {AmbientTemperatureSeries, "°C", QColor(0, 0, 255), 1, true},
    };
    const HygroChart chart;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const SeriesEntry& entry = kSeriesTable[c.series];
        EXPECT_STREQ(entry.title, c.title);
        EXPECT_EQ(QColor(entry.colour.red, entry.colour.green, entry.colour.blue), c.colour);
        EXPECT_EQ(entry.lineWidth, c.width);
        EXPECT_GE(chart.Points(c.series).Limit(), 604'800);
        QCPGraph* graph = chart.Graph(c.series);
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(chart.SeriesShown(c.series), c.shown);
        EXPECT_EQ(graph->visible(), c.shown);
        EXPECT_EQ(graph->name(), QString::fromUtf8(c.title));
        EXPECT_EQ(graph->pen().color(), c.colour);
        EXPECT_EQ(graph->pen().width(), c.width);
        EXPECT_EQ(graph->lineStyle(), QCPGraph::lsLine);
        EXPECT_EQ(graph->scatterStyle().shape(), QCPScatterStyle::ssNone);
        // Every series is in the legend, where it is shown or hidden; a hidden one's title
        // is grey.
        const QCPPlottableLegendItem* item = chart.legend->itemWithPlottable(graph);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->textColor() == QColor(Qt::black), c.shown);
    }
    EXPECT_EQ(chart.legend->itemCount(), 7);
    EXPECT_EQ(chart.graphCount(), 7);
}

TEST(HygroChartTest, ALegendClickShowsOrHidesItsSeries) {
    HygroChart chart;
    ASSERT_NO_FATAL_FAILURE(ShowAlone(chart));
    // The hidden MirrorDewLevelSeries has its points before it is ever shown.
    for (int second = 0; second < 60; ++second) {
        AddSample(chart, kDay + second * kSecond, 10.0);
    }
    AddSample(chart, kDay + 60 * kSecond, 100.0);
    Settle();
    const auto click = [&chart](ChartSeries series) {
        const QPoint at =
            chart.legend->itemWithPlottable(chart.Graph(series))->outerRect().center();
        QTest::mouseClick(&chart, Qt::LeftButton, Qt::NoModifier, at);
        Settle();
    };
    // AmbientTemperatureSeries carries 16 and 106, DewPointSeries 10 and 100; MirrorDewLevelSeries
    // 12 and 102.
    ASSERT_LT(chart.yAxis->range().upper, 110.0);

    click(MirrorDewLevelSeries);
    EXPECT_TRUE(chart.SeriesShown(MirrorDewLevelSeries));
    EXPECT_EQ(chart.Graph(MirrorDewLevelSeries)->pen().color(), QColor(255, 255, 0));
    const QImage drawn = chart.toPixmap(753, 537).toImage();
    bool yellowDrawn = false;
    for (int x = 0; x < drawn.width() && !yellowDrawn; ++x) {
        for (int y = 0; y < drawn.height() * 3 / 4 && !yellowDrawn; ++y) {
            const QColor colour = drawn.pixelColor(x, y);
            yellowDrawn = colour.red() > 200 && colour.green() > 200 && colour.blue() < 80;
        }
    }
    EXPECT_TRUE(yellowDrawn);
    EXPECT_EQ(chart.legend->itemWithPlottable(chart.Graph(MirrorDewLevelSeries))->textColor(),
              QColor(Qt::black));

    click(DewPointSeries);
    click(AmbientTemperatureSeries);
    EXPECT_FALSE(chart.SeriesShown(DewPointSeries));
    EXPECT_FALSE(chart.SeriesShown(AmbientTemperatureSeries));
    // The automatic axes follow the one series left: 12 to 102 and the 3 % margins, where
    // DewPointSeries would take it below 10 and AmbientTemperatureSeries above 106.
    EXPECT_NEAR(chart.yAxis->range().lower, 12.0 - 90.0 * 0.03 / 0.94, 1e-9);
    EXPECT_NEAR(chart.yAxis->range().upper, 102.0 + 90.0 * 0.03 / 0.94, 1e-9);
    click(DewPointSeries);
    EXPECT_TRUE(chart.SeriesShown(DewPointSeries));
}

TEST(HygroChartTest, TitleAxesLegendAndMargins) {
    HygroChart chart;
    chart.SetTitle(QStringLiteral("Humidity and temperature chart"));
    ASSERT_NO_FATAL_FAILURE(ShowAlone(chart));
    // 01:00 to 23:00, margins included within one day: labels without a date.
    for (int second = 3'600; second <= 82'800; second += 600) {
        AddSample(chart, kDay + second * kSecond, 0.0);
    }
    chart.replot();

    const auto* title = qobject_cast<QCPTextElement*>(chart.plotLayout()->element(0, 0));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Humidity and temperature chart");
    EXPECT_EQ(chart.Title(), "Humidity and temperature chart");
    EXPECT_EQ(chart.plotLayout()->element(2, 0), chart.legend);
    EXPECT_EQ(chart.plotLayout()->margins(), QMargins(15, 10, 15, 5));
    const QImage drawn = chart.toPixmap(753, 537).toImage();
    EXPECT_EQ(drawn.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(drawn.pixelColor(400, 200), QColor(Qt::white));

    EXPECT_NE(dynamic_cast<TimeAxisTicker*>(chart.xAxis->ticker().data()), nullptr);
    EXPECT_EQ(chart.xAxis->tickLabelRotation(), -90);
    EXPECT_TRUE(chart.yAxis->visible());
    EXPECT_FALSE(chart.yAxis2->visible());
    EXPECT_FALSE(chart.xAxis2->visible());
    const QVector<QString> labels = chart.xAxis->tickVectorLabels();
    ASSERT_FALSE(labels.isEmpty());
    const QRegularExpression hhmm(QStringLiteral("^\\d\\d:\\d\\d$"));
    for (const QString& label : labels) {
        EXPECT_TRUE(hhmm.match(label).hasMatch()) << label.toStdString();
    }
    EXPECT_TRUE(labels.contains("03:00"));
    EXPECT_TRUE(labels.contains("21:00"));
}

TEST(HygroChartTest, AutomaticAxesTakeTheShownSeriesRangeAtEveryRedraw) {
    struct Case {
        const char* name;
        std::vector<double> seconds;  // after kDay, one sample each
        std::vector<double> dewPoints;
        double hiddenValue;  // on the hidden series, which must not count
        QCPRange x;
        QCPRange y;  // values between 3 % and 97 % of the axis
    };
    const Case cases[] = {
        {"several samples",
         {0, 60, 120},
         {-10, 0, 10},
         1000,
         {kDay, kDay + 120 * kSecond},
         // AmbientTemperatureSeries plots the dew point + 6 here: values from -10 to 16.
         {-10 - 26 * 0.03 / 0.94, 16 + 26 * 0.03 / 0.94}},
        {"a lone sample",
         {30},
         {5},
         1000,
         {kDay + 30 * kSecond - 1.0 / 1440, kDay + 30 * kSecond + 1.0 / 1440},
         // Values from 5 to 11.
         {5 - 6 * 0.03 / 0.94, 11 + 6 * 0.03 / 0.94}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HygroChart chart;
        ASSERT_NO_FATAL_FAILURE(ShowAlone(chart));
        for (std::size_t i = 0; i < c.seconds.size(); ++i) {
            const double x = kDay + c.seconds[i] * kSecond;
            chart.AddPoint(DewPointSeries, x, c.dewPoints[i]);
            for (ChartSeries hidden :
                 {HeadTemperatureSeries, MirrorDewLevelSeries, PeltierPowerSeries, FrostLevelSeries,
                  MirrorTemperatureSeries}) {
                chart.AddPoint(hidden, x - 1.0, c.hiddenValue);
            }
            chart.AddPoint(AmbientTemperatureSeries, x, c.dewPoints[i] + 6);
        }
        Settle();
        EXPECT_NEAR(chart.xAxis->range().lower, c.x.lower, 1e-9);
        EXPECT_NEAR(chart.xAxis->range().upper, c.x.upper, 1e-9);
        EXPECT_NEAR(chart.yAxis->range().lower, c.y.lower, 1e-9);
        EXPECT_NEAR(chart.yAxis->range().upper, c.y.upper, 1e-9);
    }
}

TEST(HygroChartTest, OneRedrawPerSampleWhileShown) {
    HygroChart chart;
    ASSERT_NO_FATAL_FAILURE(ShowAlone(chart));
    AddSample(chart, kDay, 0);
    Settle();
    RedrawCounter redraws(chart);
    for (int sample = 1; sample <= 3; ++sample) {
        SCOPED_TRACE(sample);
        const double x = kDay + sample * kSecond;
        AddSample(chart, x, sample);
        Settle();
        EXPECT_EQ(redraws.count(), sample);
        EXPECT_DOUBLE_EQ(chart.xAxis->range().upper, x);
    }
    // Points on hidden series alone ask for nothing.
    chart.AddPoint(MirrorDewLevelSeries, kDay + 10 * kSecond, 1.0);
    Settle();
    EXPECT_EQ(redraws.count(), 3);
}

TEST(HygroChartTest, NothingDrawnWhileTheTabIsHiddenEverythingWhenShown) {
    QTabWidget tabs;
    auto* chartPage = new QWidget;
    auto* otherPage = new QWidget;
    HygroChart& chart = *new HygroChart(chartPage);
    chart.setGeometry(0, 0, 753, 537);
    tabs.addTab(chartPage, "chart");
    tabs.addTab(otherPage, "other");
    tabs.setCurrentWidget(otherPage);
    tabs.resize(758, 558);
    tabs.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
    Settle();
    RedrawCounter redraws(chart);
    constexpr int kSamples = 20;
    for (int sample = 0; sample < kSamples; ++sample) {
        AddSample(chart, kDay + sample * kSecond, sample);
        Settle();
    }
    EXPECT_EQ(redraws.count(), 0);

    tabs.setCurrentWidget(chartPage);
    Settle();
    EXPECT_EQ(redraws.count(), 1);
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(chart.Points(static_cast<ChartSeries>(i)).size(), kSamples);
    }
    EXPECT_DOUBLE_EQ(chart.xAxis->range().lower, kDay);
    EXPECT_DOUBLE_EQ(chart.xAxis->range().upper, kDay + (kSamples - 1) * kSecond);

    // Away again: nothing more is drawn.
    tabs.setCurrentWidget(otherPage);
    AddSample(chart, kDay + kSamples * kSecond, 0);
    Settle();
    EXPECT_EQ(redraws.count(), 1);
}

TEST(HygroChartTest, OperatorsZoomOrDragHoldsTheViewUntilDoubleClick) {
    struct Case {
        const char* name;
        std::function<void(HygroChart&)> interact;
        // The wheel zooms the time axis only: the values follow what is in view.
        bool leftStaysAutomatic;
    };
    const Case cases[] = {
        {"wheel",
         [](HygroChart& chart) {
             const QPointF at = chart.axisRect()->rect().center();
             QWheelEvent wheel(at, chart.mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QCoreApplication::sendEvent(&chart, &wheel);
         },
         true},
        {"drag",
         [](HygroChart& chart) {
             const QPoint from = chart.axisRect()->rect().center();
             QTest::mousePress(&chart, Qt::LeftButton, Qt::NoModifier, from);
             QTest::mouseMove(&chart, from + QPoint(80, 40));
             QTest::mouseRelease(&chart, Qt::LeftButton, Qt::NoModifier, from + QPoint(80, 40));
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HygroChart chart;
        ASSERT_NO_FATAL_FAILURE(ShowAlone(chart));
        for (int sample = 0; sample < 100; ++sample) {
            AddSample(chart, kDay + sample * kSecond, sample % 7);
        }
        Settle();
        const QCPRange automaticX = chart.xAxis->range();

        c.interact(chart);
        Settle();
        EXPECT_FALSE(chart.BottomAxisAutomatic());
        EXPECT_EQ(chart.LeftAxisAutomatic(), c.leftStaysAutomatic);
        const QCPRange viewX = chart.xAxis->range();
        const QCPRange viewY = chart.yAxis->range();
        EXPECT_NE(viewX, automaticX);

        // Out of view: neither axis moves for it.
        AddSample(chart, kDay + 500 * kSecond, 50);
        Settle();
        EXPECT_EQ(chart.xAxis->range(), viewX);
        EXPECT_EQ(chart.yAxis->range(), viewY);

        QTest::mouseDClick(&chart, Qt::LeftButton, Qt::NoModifier,
                           chart.axisRect()->rect().center());
        Settle();
        EXPECT_TRUE(chart.BottomAxisAutomatic());
        EXPECT_TRUE(chart.LeftAxisAutomatic());
        EXPECT_DOUBLE_EQ(chart.xAxis->range().lower, kDay);
        EXPECT_DOUBLE_EQ(chart.xAxis->range().upper, kDay + 500 * kSecond);
    }
}

TEST(HygroChartTest, BottomAxisAutomaticOnLeavesTheLeftAxisAlone) {
    HygroChart chart;
    ASSERT_NO_FATAL_FAILURE(ShowAlone(chart));
    AddSample(chart, kDay, 1);
    AddSample(chart, kDay + kSecond, 2);
    Settle();
    chart.xAxis->setRange(0, 1);
    chart.yAxis->setRange(-100, 100);
    ASSERT_FALSE(chart.BottomAxisAutomatic());
    ASSERT_FALSE(chart.LeftAxisAutomatic());

    chart.SetBottomAxisAutomatic();
    Settle();
    EXPECT_TRUE(chart.BottomAxisAutomatic());
    EXPECT_FALSE(chart.LeftAxisAutomatic());
    EXPECT_DOUBLE_EQ(chart.xAxis->range().lower, kDay);
    EXPECT_DOUBLE_EQ(chart.xAxis->range().upper, kDay + kSecond);
    EXPECT_EQ(chart.yAxis->range(), QCPRange(-100, 100));
}

TEST(HygroChartTest, EverySeriesKeepsTheNewestPointsUpToItsLimit) {
    HygroChart chart(nullptr, 5);
    for (int sample = 0; sample < 8; ++sample) {
        AddSample(chart, kDay + sample * kSecond, sample);
    }
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        SCOPED_TRACE(i + 1);
        const SeriesPoints& points = chart.Points(static_cast<ChartSeries>(i));
        ASSERT_EQ(points.size(), 5);
        EXPECT_DOUBLE_EQ(points.Point(0).key, kDay + 3 * kSecond);
        EXPECT_DOUBLE_EQ(points.Point(4).key, kDay + 7 * kSecond);
    }
}

// Seconds from kDay on DewPointSeries, a calm series below 7 with one spike.
void FillDewPointSeries(HygroChart& chart, long seconds, long spikeAt, double spike) {
    std::vector<double> xs, ys;
    xs.reserve(static_cast<std::size_t>(seconds));
    ys.reserve(static_cast<std::size_t>(seconds));
    for (long second = 0; second < seconds; ++second) {
        xs.push_back(kDay + static_cast<double>(second) * kSecond);
        ys.push_back(second == spikeAt ? spike : static_cast<double>(second % 700) / 100.0);
    }
    chart.AddPoints(DewPointSeries, xs, ys);
}

TEST(HygroChartTest, ShownGraphsGetAtMostAFewPointsAPixelColumn) {
    struct Case {
        const char* name;
        long seconds;
        bool columns;
    };
    const Case cases[] = {
        {"fewer points than columns: the points themselves", 500, false},
        {"a day: its columns", 86'400, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HygroChart chart;
        ASSERT_NO_FATAL_FAILURE(ShowAlone(chart));
        FillDewPointSeries(chart, c.seconds, -1, 0);
        Settle();
        const auto* graph = static_cast<ColumnGraph*>(chart.Graph(DewPointSeries));
        const int width = chart.axisRect()->width();
        EXPECT_EQ(graph->Shown().InColumns(), c.columns);
        EXPECT_EQ(graph->antialiased(), !c.columns);
        const DrawnSeries& shown = graph->Shown();
        if (c.columns) {
            EXPECT_LE(shown.columns.size(), static_cast<std::size_t>(width) + 1);
            EXPECT_GE(shown.columns.size(), static_cast<std::size_t>(width) - 1);
            EXPECT_EQ(shown.columns.front().first.key, kDay);
            EXPECT_EQ(shown.columns.back().last.key, kDay + (c.seconds - 1) * kSecond);
            EXPECT_EQ(graph->dataCount(), 0);
        } else {
            // QCPGraph draws them as a line.
            ASSERT_EQ(graph->dataCount(), c.seconds);
            EXPECT_EQ(graph->data()->constBegin()->key, kDay);
            EXPECT_EQ((graph->data()->constEnd() - 1)->key, kDay + (c.seconds - 1) * kSecond);
        }
    }
}

TEST(HygroChartTest, ASpikeInAMonthIsOnScreenAtEveryZoom) {
    constexpr long kMonth = 31 * 86'400L;
    constexpr long kSpikeAt = 1'000'003;
    constexpr double kSpike = 50.0;
    HygroChart chart;
    ASSERT_NO_FATAL_FAILURE(ShowAlone(chart));
    FillDewPointSeries(chart, kMonth, kSpikeAt, kSpike);
    Settle();
    const double spikeX = kDay + kSpikeAt * kSecond;
    const QColor red(255, 0, 0);
    struct Zoom {
        const char* name;
        double span;  // days; 0: the automatic view
    };
    const Zoom zooms[] = {
        {"the month", 0.0}, {"a day", 1.0}, {"an hour", 1.0 / 24}, {"a minute", 1.0 / 1440}};
    for (const Zoom& zoom : zooms) {
        SCOPED_TRACE(zoom.name);
        if (zoom.span > 0) {
            chart.xAxis->setRange(spikeX - zoom.span / 3, spikeX + zoom.span * 2 / 3);
            chart.replot();
        }
        const QImage image = chart.grab().toImage();
        const int x = static_cast<int>(std::floor(chart.xAxis->coordToPixel(spikeX)));
        const int top = static_cast<int>(std::round(chart.yAxis->coordToPixel(kSpike)));
        const int calmTop = static_cast<int>(std::round(chart.yAxis->coordToPixel(7.0)));
        // Zoomed in far, the line rises to the spike over the second before it.
        const double secondWide = chart.xAxis->coordToPixel(spikeX + kSecond) - x;
        const int near = 2 + static_cast<int>(std::ceil(secondWide));
        const auto reddish = [&](int px, int py) {
            const QColor c = image.pixelColor(px, py);
            return c.red() > 200 && c.green() < 120 && c.blue() < 120;
        };
        // Red from the spike's top down to the calm values, in or beside its column, and
        // nowhere else that high.
        for (int y = top + 2; y < calmTop - 2; y += 3) {
            bool found = false;
            for (int dx = -near; dx <= near && !found; ++dx) {
                found = reddish(x + dx, y);
            }
            ASSERT_TRUE(found) << "at height " << y;
        }
        for (int column = chart.axisRect()->left(); column < chart.axisRect()->right(); ++column) {
            if (std::abs(column - x) > near) {
                ASSERT_FALSE(reddish(column, (top + calmTop) / 2)) << column;
            }
        }
    }
}

}  // namespace
