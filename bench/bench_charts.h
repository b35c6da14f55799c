#pragma once
// The two charts the benchmarks compare, fed the same data the same way, on screen at
// 753 x 537 on the offscreen platform:
//   OurChart    Form1 with its Chart on the open chart tab, fed through its page;
//   PlainChart  a QCustomPlot with its defaults: seven graphs (the five hidden series not
//               visible), each sample added to every graph, the axes rescaled to the
//               visible graphs, and a queued replot.

#include <QString>
#include <memory>

#include "app/chart_page.h"
#include "app/main_window.h"

class QCustomPlot;

class BenchChart {
  public:
    BenchChart() = default;
    BenchChart(const BenchChart&) = delete;
    BenchChart& operator=(const BenchChart&) = delete;
    virtual ~BenchChart() = default;

    // `points` on every series, one a second, ending a second before now.
    virtual void Fill(long points) = 0;
    // One live sample (`second` picks its values) at the current time, drawn on the next
    // turn of the event loop.
    virtual void AddSample(long second) = 0;
    // One sample at OLE date x, as a live run feeds it; drawing left to the event loop.
    virtual void AddSampleAt(double x, long second) = 0;
    // Plots a chart file as the "Load chart" button does.
    virtual void LoadFile(const QString& path) = 0;
    virtual void ClearHeadTemperatureSeries() = 0;
    virtual long PointsOnDewPointSeries() const = 0;
    virtual QCustomPlot& Plot() = 0;

    int Redraws() const { return redraws_; }
    // Runs the event loop until the redraw asked for has been made and painted; false when
    // there was none or more than one.
    bool Redrawn(int before);
    static void Settle();

  protected:
    void CountRedraws();

  private:
    int redraws_ = 0;
};

std::unique_ptr<BenchChart> MakeOurChart();
std::unique_ptr<BenchChart> MakePlainChart();
