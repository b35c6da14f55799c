#pragma once
// The Chart tab: the chart (Chart1) with the live samples, and "Wczytaj wykres" (a saved file). The
// chart's context menu saves what it shows as an image, exports the points in view as CSV
// and shows everything again.
//
// An export writes a snapshot of the points in view taken when it starts, on a thread of its
// own: the window stays live and the live points go on arriving meanwhile (they are not in
// the file). While it runs, a bar along the bottom of the tab shows its progress with a
// Cancel button; a cancelled export leaves no file. Closing the window cancels it.

#include <QMenu>
#include <QString>
#include <QWidget>

#include "chart/chart_csv_file.h"
#include "chart/chart_exporter.h"
#include "chart/hygro_chart.h"
#include "measure/measurement_worker.h"

class ChartPage : public QWidget {
    Q_OBJECT
  public:
    explicit ChartPage(QWidget* parent = nullptr);

    HygroChart* Chart = nullptr;

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
    // Writes the points of every series in the time range in view, as chart_data_csv.h
    // writes them, on the export's own thread, shown in the progress bar; ExportEnded tells
    // the end, a failure also in the error box. False, and nothing started, while one runs.
    bool StartExport(const QString& path);
    bool ExportRunning() const { return exporter_->Running(); }
    void CancelExport() { exporter_->Cancel(); }
    ChartExporter& Exporter() { return *exporter_; }

    QWidget* ExportPanel = nullptr;

  signals:
    // `error`: empty when written or cancelled.
    void ExportEnded(bool written, const QString& error);

  public slots:
    // Asks for a chart file (the dialog OpenDialog1), then LoadFile; a cancelled dialog
    // changes nothing.
    void ChooseAndLoadFile();

  private slots:
    void ChooseAndSaveImage();
    void ChooseAndExportData();

  private:
    void ExportFinished(const ChartCsvFileResult& result, const QString& path);
    void LayOut();

    ChartExporter* exporter_ = nullptr;
    class QProgressBar* exportBar_ = nullptr;

  protected:
    // The chart fills the page, whatever its size.
    void resizeEvent(QResizeEvent* event) override;
};
