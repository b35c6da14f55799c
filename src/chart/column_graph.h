#pragma once
// A chart line that draws what DrawnPoints gives it. Points are drawn as QCPGraph draws
// them; columns are drawn one bar each, from the column's smallest to its largest value
// and the pen's width wide, bars of neighbouring columns meeting halfway between the one's
// last point and the other's first, and straight lines across columns without points. So
// a redraw costs a few operations per pixel column, however many points lie behind them.
// The graph's data are the points it draws as a line; drawing columns, it has none.

#include <qcustomplot.h>

#include "chart/drawn_points.h"

class ColumnGraph : public QCPGraph {
    Q_OBJECT

  public:
    ColumnGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);

    void Show(DrawnSeries drawn);
    const DrawnSeries& Shown() const { return drawn_; }

  protected:
    void draw(QCPPainter* painter) override;

  private:
    void DrawColumns(QCPPainter* painter) const;

    DrawnSeries drawn_;
};
