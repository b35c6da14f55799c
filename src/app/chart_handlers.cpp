#include "app/chart_handlers.h"

#include <QDateTime>
#include <QFileDialog>
#include <QLocale>

#include "app/error_box.h"
#include "app/main_window.h"
#include "chart/hygro_chart.h"
#include "chart/ole_date.h"
#include "chart/series_table.h"
#include "measure/file_error_text.h"
#include "viewer/chart_file_loader.h"

ChartHandlers::ChartHandlers(TForm1& form) : form_(form) {}

void ChartHandlers::AddSample(const SampleUpdate& update) {
    // The worker sends the time of day alone; the date is today's, or yesterday's for a
    // sample taken just before midnight and delivered just after.
    const QDateTime now = QDateTime::currentDateTime();
    const double x =
        OleDate(SampleDate(update.time, now), update.time.isValid() ? update.time : now.time());
    const std::array<double, kSeriesCount> values = SeriesValues(update.sample);
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        form_.Chart1->AddPoint(static_cast<ChartSeries>(i), x, values[i]);
    }
}

void ChartHandlers::Button1Click() {
    QFileDialog dialog(&form_);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    LoadFile(dialog.selectedFiles().constFirst());
}

void ChartHandlers::LoadFile(const QString& path) {
    HygroChart& chart = *form_.Chart1;
    chart.ClearSeries(Series1);
    // Both series keep as many points; the file's older ones would be dropped.
    const ChartFileResult result =
        LoadChartFile(path, QLocale(), static_cast<std::size_t>(chart.Points(Series1).Limit()));
    const LoadedPoints& points = result.points;
    chart.AddPoints(Series1, points.x1, points.y1);
    chart.AddPoints(Series2, points.x2, points.y2);
    if (points.dataLines > 0) {
        chart.SetBottomAxisAutomatic();
    }
    if (result.fileErrno != 0) {
        ShowErrorBox(&form_, FileErrorText(result.fileErrno));
    } else if (points.error) {
        ShowErrorBox(&form_, *points.error);
    }
}
