#pragma once
// Chart1: the live measurement and loaded files against time of day. Seven line series on a
// bottom axis of OLE dates shown as wall-clock "hh:mm"; the hidden series are stored, never
// drawn. Everything here runs on the user-interface thread.
//
// The legend lists all seven; clicking an item shows or hides that series (a hidden one's
// title is grey). The wheel zooms the time axis only; dragging pans.
//
// Redrawing: each change asks for a redraw, and the requests of one turn of the event loop
// make one redraw, so a sample of seven points or a whole loaded file is drawn once. While
// the chart is not on screen (another tab, the window minimised) nothing is drawn; it is
// drawn when it comes back. At every redraw the automatic axes take the range of the shown
// series' points in the time range shown, the left axis with 3 % of the plot's height to
// spare above and below. Zooming or dragging makes the moved axes manual; a double-click or
// ShowAll makes both automatic.
//
// The series' points stay in their stores; at each redraw a shown series' graph gets only
// what draws it at the plot's width (drawn_points.h, column_graph.h), a few values per
// pixel column, so a redraw costs the pixels and not the points however long the series.

#include <qcustomplot.h>

#include <QString>
#include <array>
#include <memory>
#include <span>

#include "chart/chart_snapshot.h"
#include "chart/column_graph.h"
#include "chart/series_points.h"
#include "series/series_table.h"

class HygroChart : public QCustomPlot {
    Q_OBJECT

  public:
    explicit HygroChart(QWidget* parent = nullptr, int pointLimit = SeriesPoints::kDefaultLimit);
    ~HygroChart() override;

    void SetTitle(const QString& firstLine);
    QString Title() const;
    void SetTitleFont(const QFont& font);

    // x is an OLE date. Returns the new point's index (see SeriesPoints::Add).
    int AddPoint(ChartSeries series, double x, double y);
    // A batch (a loaded file); see SeriesPoints::AddBatch.
    void AddPoints(ChartSeries series, std::span<const double> xs, std::span<const double> ys);
    void ClearSeries(ChartSeries series);
    void SetBottomAxisAutomatic();
    // Both axes automatic again, as a double-click makes them.
    void ShowAll();

    bool SeriesShown(ChartSeries series) const { return graphs_[series]->visible(); }
    void SetSeriesShown(ChartSeries series, bool shown);

    bool BottomAxisAutomatic() const { return bottomAutomatic_; }
    bool LeftAxisAutomatic() const { return leftAutomatic_; }

    const SeriesPoints& Points(ChartSeries series) const { return *points_[series]; }
    // Every series' points with from <= x <= to as they are now; cheap (no point is copied).
    ChartSnapshot Snapshot(double from, double to);
    // The plotted line of a series, holding what the last redraw drew while shown.
    QCPGraph* Graph(ChartSeries series) const { return graphs_[series]; }

    // Asks for a redraw (see above).
    void Redraw();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Changed(ChartSeries series);
    bool OnScreen() const;
    void FollowData();
    void TakeDrawnPoints();
    void UpdateMargins();
    void AxisMoved(bool& automatic);
    void LegendClicked(QCPAbstractLegendItem* item);

    QCPTextElement* title_ = nullptr;
    std::array<std::unique_ptr<SeriesPoints>, kSeriesCount> points_;
    std::array<ColumnGraph*, kSeriesCount> graphs_{};
    bool bottomAutomatic_ = true;
    bool leftAutomatic_ = true;
    // Set while the chart moves its own axes, so that only the operator's moves count.
    bool following_ = false;
    // A redraw was skipped while off screen.
    bool stale_ = true;
};
