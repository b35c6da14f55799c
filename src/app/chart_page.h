#pragma once
// The Chart tab: Chart1 with the live samples, and "Wczytaj wykres" (a saved file).

#include <QString>
#include <QWidget>

#include "chart/hygro_chart.h"
#include "measure/measurement_worker.h"

class ChartPage : public QWidget {
    Q_OBJECT
  public:
    explicit ChartPage(QWidget* parent = nullptr);

    HygroChart* Chart1 = nullptr;

    // One point per series for a sample with data.
    void AddSample(const SampleUpdate& update);

    // Plots a chart file: Series1 emptied, the file's two columns onto Series1 and Series2
    // in one batch, drawn once; a failure in the error box.
    void LoadFile(const QString& path);

  public slots:
    // OpenDialog1, then LoadFile; a cancelled dialog changes nothing.
    void Button1Click();

  protected:
    // The chart fills the page, whatever its size.
    void resizeEvent(QResizeEvent* event) override;
};
