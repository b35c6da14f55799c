#include "chart/hygro_chart.h"

#include <algorithm>

#include "chart/drawn_points.h"
#include "chart/time_axis_ticker.h"

namespace {

// Margins around the plot, in per cent of the chart's width or height.
constexpr int kMarginTopPercent = 2;
constexpr int kMarginLeftPercent = 2;
constexpr int kMarginRightPercent = 2;
constexpr int kMarginBottomPercent = 1;

// The left axis leaves 3 % of the plot's height free above and below the points.
constexpr double kValuePadding = 0.03;
// Ranges an automatic axis takes around a single x (one minute each way) or a single y.
constexpr double kLoneKeyHalfSpan = 1.0 / 1440.0;
constexpr double kLoneValueHalfSpan = 1.0;

constexpr int kTimeTicks = 8;
const QColor kHiddenTitle(150, 150, 150);
constexpr int kTitleRow = 0;
constexpr int kLegendRow = 2;

QCPRange Widened(QCPRange range, double loneHalfSpan, double padding) {
    if (range.size() <= 0.0) {
        return QCPRange(range.lower - loneHalfSpan, range.upper + loneHalfSpan);
    }
    const double pad = range.size() * padding / (1.0 - 2.0 * padding);
    return QCPRange(range.lower - pad, range.upper + pad);
}

QCPRange Joined(bool& found, QCPRange range, bool more, const ValueExtent& other) {
    if (!more) {
        return range;
    }
    if (!found) {
        found = true;
        return QCPRange(other.lower, other.upper);
    }
    range.expand(QCPRange(other.lower, other.upper));
    return range;
}

}  // namespace

HygroChart::HygroChart(QWidget* parent, int pointLimit) : QCustomPlot(parent) {
    setBackground(QBrush(Qt::white));
    setPlottingHint(QCP::phFastPolylines, true);
    setNoAntialiasingOnDrag(true);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    // The values follow the time range the wheel picks.
    axisRect()->setRangeZoom(Qt::Horizontal);

    plotLayout()->insertRow(kTitleRow);
    QFont titleFont = font();
    titleFont.setBold(true);
    title_ = new QCPTextElement(this, QString(), titleFont);
    plotLayout()->addElement(kTitleRow, 0, title_);

    xAxis->setTicker(QSharedPointer<TimeAxisTicker>::create());
    xAxis->ticker()->setTickCount(kTimeTicks);
    // Turned a quarter anticlockwise: the labels read upwards.
    xAxis->setTickLabelRotation(-90);
    xAxis2->setVisible(false);
    yAxis2->setVisible(false);

    legend->setVisible(true);
    axisRect()->insetLayout()->take(legend);
    plotLayout()->addElement(kLegendRow, 0, legend);
    plotLayout()->setRowStretchFactor(kLegendRow, 0.001);
    legend->setFillOrder(QCPLegend::foColumnsFirst);
    legend->setIconSize(30, 12);

    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        const SeriesEntry& look = kSeriesTable[i];
        points_[i] = std::make_unique<SeriesPoints>(pointLimit, look.divisor);
        auto* graph = new ColumnGraph(xAxis, yAxis);
        graph->setName(QString::fromUtf8(look.title));
        graph->setPen(
            QPen(QColor(look.colour.red, look.colour.green, look.colour.blue), look.lineWidth));
        graph->setLineStyle(QCPGraph::lsLine);
        graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
        // What it is given holds no more points than pixel columns.
        graph->setAdaptiveSampling(false);
        graphs_[i] = graph;
        SetSeriesShown(static_cast<ChartSeries>(i), look.shown);
    }

    connect(this, &QCustomPlot::beforeReplot, this, &HygroChart::FollowData);
    // After the layout: the axes' ranges and the plot's width are final.
    connect(this, &QCustomPlot::afterLayout, this, &HygroChart::TakeDrawnPoints);
    connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this] { AxisMoved(bottomAutomatic_); });
    connect(yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this] { AxisMoved(leftAutomatic_); });
    connect(this, &QCustomPlot::mouseDoubleClick, this, &HygroChart::ShowAll);
    connect(this, &QCustomPlot::legendClick, this,
            [this](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) { LegendClicked(item); });
}

HygroChart::~HygroChart() = default;

void HygroChart::SetTitle(const QString& firstLine) {
    title_->setText(firstLine);
    Redraw();
}

QString HygroChart::Title() const {
    return title_->text();
}

void HygroChart::SetTitleFont(const QFont& font) {
    title_->setFont(font);
    Redraw();
}

ChartSnapshot HygroChart::Snapshot(double from, double to) {
    ChartSnapshot snapshot;
    snapshot.from = from;
    snapshot.to = to;
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        snapshot.series[i] = points_[i]->ShareRange(from, to);
    }
    return snapshot;
}

int HygroChart::AddPoint(ChartSeries series, double x, double y) {
    const int index = points_[series]->Add(x, y);
    Changed(series);
    return index;
}

void HygroChart::AddPoints(ChartSeries series, std::span<const double> xs,
                           std::span<const double> ys) {
    points_[series]->AddBatch(xs, ys);
    Changed(series);
}

void HygroChart::ClearSeries(ChartSeries series) {
    points_[series]->Clear();
    Changed(series);
}

void HygroChart::SetBottomAxisAutomatic() {
    bottomAutomatic_ = true;
    Redraw();
}

void HygroChart::ShowAll() {
    bottomAutomatic_ = true;
    leftAutomatic_ = true;
    Redraw();
}

void HygroChart::SetSeriesShown(ChartSeries series, bool shown) {
    QCPGraph* graph = graphs_[series];
    graph->setVisible(shown);
    if (QCPPlottableLegendItem* item = legend->itemWithPlottable(graph)) {
        item->setTextColor(shown ? QColor(Qt::black) : kHiddenTitle);
    }
    Redraw();
}

void HygroChart::LegendClicked(QCPAbstractLegendItem* item) {
    auto* plottableItem = qobject_cast<QCPPlottableLegendItem*>(item);
    if (plottableItem == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        if (graphs_[i] == plottableItem->plottable()) {
            const auto series = static_cast<ChartSeries>(i);
            SetSeriesShown(series, !SeriesShown(series));
        }
    }
}

void HygroChart::Changed(ChartSeries series) {
    if (SeriesShown(series)) {
        Redraw();
    }
}

void HygroChart::Redraw() {
    if (!OnScreen()) {
        stale_ = true;
        return;
    }
    replot(rpQueuedReplot);
}

bool HygroChart::OnScreen() const {
    return isVisible() && !window()->isMinimized();
}

void HygroChart::showEvent(QShowEvent* event) {
    QCustomPlot::showEvent(event);
    if (stale_ && OnScreen()) {
        replot();
    }
}

void HygroChart::resizeEvent(QResizeEvent*) {
    UpdateMargins();
    setViewport(rect());
    Redraw();
}

void HygroChart::UpdateMargins() {
    plotLayout()->setMargins(
        QMargins(width() * kMarginLeftPercent / 100, height() * kMarginTopPercent / 100,
                 width() * kMarginRightPercent / 100, height() * kMarginBottomPercent / 100));
}

void HygroChart::AxisMoved(bool& automatic) {
    if (!following_) {
        automatic = false;
    }
}

void HygroChart::FollowData() {
    stale_ = false;
    bool haveKeys = false;
    bool haveValues = false;
    QCPRange keys;
    QCPRange values;
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        if (!graphs_[i]->visible()) {
            continue;
        }
        bool found = false;
        const ValueExtent seriesKeys = points_[i]->KeyRange(found);
        keys = Joined(haveKeys, keys, found, seriesKeys);
    }
    following_ = true;
    if (bottomAutomatic_ && haveKeys) {
        xAxis->setRange(Widened(keys, kLoneKeyHalfSpan, 0.0));
    }
    following_ = false;

    // The values of the points in the time range shown.
    const QCPRange shown = xAxis->range();
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        if (!graphs_[i]->visible()) {
            continue;
        }
        const SeriesPoints& points = *points_[i];
        const SeriesPoints::Cursor from = points.Bound(shown.lower, false);
        const ValueExtent seriesValues = points.Values(from, points.Bound(shown.upper, true, from));
        values = Joined(haveValues, values, !seriesValues.Empty(), seriesValues);
    }
    following_ = true;
    if (leftAutomatic_ && haveValues) {
        yAxis->setRange(Widened(values, kLoneValueHalfSpan, kValuePadding));
    }
    following_ = false;
}

void HygroChart::TakeDrawnPoints() {
    const int columns = std::max(axisRect()->width(), 1);
    const QCPRange shown = xAxis->range();
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        if (!graphs_[i]->visible()) {
            continue;
        }
        graphs_[i]->Show(DrawnPoints(*points_[i], shown.lower, shown.upper, columns));
        // Antialiasing a line that has more points than pixels only costs time.
        graphs_[i]->setAntialiased(!graphs_[i]->Shown().InColumns());
    }
}
