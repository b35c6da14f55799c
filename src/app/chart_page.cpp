#include "app/chart_page.h"

#include <QDateTime>
#include <QFileDialog>
#include <QLocale>

#include "app/error_box.h"
#include "app/form_controls.h"
#include "app/sample_series.h"
#include "chart/ole_date.h"
#include "measure/file_error_text.h"
#include "viewer/chart_file_loader.h"

ChartPage::ChartPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));
    Chart1 = new HygroChart(this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setGeometry(rect());
    QFont titleFont = font();
    titleFont.setPixelSize(kReadoutCaptionPixels);
    titleFont.setBold(true);
    Chart1->SetTitleFont(titleFont);
    Chart1->SetTitle(tr("Wykres wilgotności i temperatury"));
}

void ChartPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Chart1->setGeometry(rect());
}

void ChartPage::AddSample(const SampleUpdate& update) {
    // The worker sends the time of day alone; the date is today's, or yesterday's for a
    // sample taken just before midnight and delivered just after.
    const QDateTime now = QDateTime::currentDateTime();
    const double x =
        OleDate(SampleDate(update.time, now), update.time.isValid() ? update.time : now.time());
    const std::array<double, kSeriesCount> values = SeriesValues(update.sample);
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        Chart1->AddPoint(static_cast<ChartSeries>(i), x, values[i]);
    }
}

void ChartPage::Button1Click() {
    QFileDialog dialog(window());
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    LoadFile(dialog.selectedFiles().constFirst());
}

void ChartPage::LoadFile(const QString& path) {
    HygroChart& chart = *Chart1;
    chart.ClearSeries(Series1);
    const ChartFileResult result = LoadChartFile(path, QLocale());
    const LoadedPoints& points = result.points;
    chart.AddPoints(Series1, points.x1, points.y1);
    chart.AddPoints(Series2, points.x2, points.y2);
    if (points.dataLines > 0) {
        chart.SetBottomAxisAutomatic();
    }
    if (result.fileErrno != 0) {
        ShowErrorBox(window(), FileErrorText(result.fileErrno));
    } else if (points.error) {
        ShowErrorBox(window(), *points.error);
    }
}
