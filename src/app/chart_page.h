#pragma once
// The Chart tab: Chart1 with the live samples, and "Wczytaj wykres" (a saved file). The
// chart's context menu saves what it shows as an image, exports the points in view as CSV
// and shows everything again.

#include <QMenu>
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

    // Plots a chart file: the dew point series emptied, the file's two columns onto the dew
    // point and head temperature series in one batch, drawn once; a failure in the error box.
    void LoadFile(const QString& path);

    // The context menu, built anew for each request; its owner deletes it.
    QMenu* ChartMenu();
    // Saves the chart as drawn: PDF when the name ends ".pdf", PNG otherwise. An error
    // text, or empty when saved.
    QString SaveImage(const QString& path);
    // The points of every series in the time range in view, as chart_data_csv.h writes
    // them. An error text, or empty when written.
    QString ExportData(const QString& path);

  public slots:
    // Asks for a chart file (the dialog OpenDialog1), then LoadFile; a cancelled dialog
    // changes nothing.
    void ChooseAndLoadFile();

  private slots:
    void ChooseAndSaveImage();
    void ChooseAndExportData();

  protected:
    // The chart fills the page, whatever its size.
    void resizeEvent(QResizeEvent* event) override;
};
