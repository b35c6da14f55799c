// Chart1 itself: its configuration, when it redraws, and how its axes follow the data.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <functional>

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
        {Series1, "°Cdp", QColor(255, 0, 0), 2, true},
        {Series2, "Radiator", QColor(0, 128, 0), 1, false},
        {Series3, "Rosa", QColor(255, 255, 0), 2, false},
        {Series4, "Moc", QColor(128, 0, 64), 1, false},
        {Series5, "Szron", QColor(0, 0, 0), 1, false},
        {Series6, "Lustro", QColor(255, 128, 64), 2, false},
        {Series7, "°C", QColor(0, 0, 255), 1, true},
    };
    const HygroChart chart;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const SeriesLook& look = SeriesTable()[c.series];
        EXPECT_STREQ(look.title, c.title);
        EXPECT_EQ(look.colour, c.colour);
        EXPECT_EQ(look.lineWidth, c.width);
        EXPECT_GE(chart.Points(c.series).Limit(), 604'800);
        QCPGraph* graph = chart.Graph(c.series);
        ASSERT_EQ(graph != nullptr, c.shown);
        if (graph != nullptr) {
            EXPECT_EQ(graph->name(), QString::fromUtf8(c.title));
            EXPECT_EQ(graph->pen().color(), c.colour);
            EXPECT_EQ(graph->pen().width(), c.width);
            EXPECT_EQ(graph->lineStyle(), QCPGraph::lsLine);
            EXPECT_EQ(graph->scatterStyle().shape(), QCPScatterStyle::ssNone);
            EXPECT_TRUE(chart.legend->hasItemWithPlottable(graph));
            EXPECT_EQ(graph->data().data(), &chart.Points(c.series));
        }
    }
    // Hidden series stay out of the legend.
    EXPECT_EQ(chart.legend->itemCount(), 2);
    EXPECT_EQ(chart.graphCount(), 2);
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
         // Series7 plots the dew point + 6 here: values from -10 to 16.
         {-10 - 26 * 0.03 / 0.94, 16 + 26 * 0.03 / 0.94}},
        {"a lone sample",
         {30},
         {5},
         1000,
         {kDay + 30 * kSecond - 1.0 / 1440, kDay + 30 * kSecond + 1.0 / 1440},
         {5 - 26 * 0.03 / 0.94, 11 + 26 * 0.03 / 0.94}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HygroChart chart;
        ASSERT_NO_FATAL_FAILURE(ShowAlone(chart));
        for (std::size_t i = 0; i < c.seconds.size(); ++i) {
            const double x = kDay + c.seconds[i] * kSecond;
            chart.AddPoint(Series1, x, c.dewPoints[i]);
            for (ChartSeries hidden : {Series2, Series3, Series4, Series5, Series6}) {
                chart.AddPoint(hidden, x - 1.0, c.hiddenValue);
            }
            chart.AddPoint(Series7, x, c.dewPoints[i] + 6);
        }
        Settle();
        EXPECT_NEAR(chart.xAxis->range().lower, c.x.lower, 1e-9);
        EXPECT_NEAR(chart.xAxis->range().upper, c.x.upper, 1e-9);
        if (c.seconds.size() > 1) {
            EXPECT_NEAR(chart.yAxis->range().lower, c.y.lower, 1e-9);
            EXPECT_NEAR(chart.yAxis->range().upper, c.y.upper, 1e-9);
        }
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
    chart.AddPoint(Series3, kDay + 10 * kSecond, 1.0);
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
    };
    const Case cases[] = {
        {"wheel",
         [](HygroChart& chart) {
             const QPointF at = chart.axisRect()->rect().center();
             QWheelEvent wheel(at, chart.mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QCoreApplication::sendEvent(&chart, &wheel);
         }},
        {"drag",
         [](HygroChart& chart) {
             const QPoint from = chart.axisRect()->rect().center();
             QTest::mousePress(&chart, Qt::LeftButton, Qt::NoModifier, from);
             QTest::mouseMove(&chart, from + QPoint(80, 40));
             QTest::mouseRelease(&chart, Qt::LeftButton, Qt::NoModifier, from + QPoint(80, 40));
         }},
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
        EXPECT_FALSE(chart.LeftAxisAutomatic());
        const QCPRange viewX = chart.xAxis->range();
        const QCPRange viewY = chart.yAxis->range();
        EXPECT_NE(viewX, automaticX);

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

}  // namespace
