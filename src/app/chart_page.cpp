#include "app/chart_page.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

#include "app/error_box.h"
#include "app/form_controls.h"
#include "chart/ole_date.h"
#include "measure/file_error_text.h"
#include "series/sample_series.h"
#include "viewer/chart_file_loader.h"

ChartPage::ChartPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));
    Chart = new HygroChart(this);
    Chart->setObjectName(QStringLiteral("Chart1"));
    Chart->setGeometry(rect());
    QFont titleFont = font();
    titleFont.setPixelSize(kReadoutCaptionPixels);
    titleFont.setBold(true);
    Chart->SetTitleFont(titleFont);
    Chart->SetTitle(tr("Wykres wilgotności i temperatury"));
    Chart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Chart, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = ChartMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(Chart->mapToGlobal(at));
    });

    exporter_ = new ChartExporter(this);
    ExportPanel = new QWidget(this);
    ExportPanel->setObjectName(QStringLiteral("ExportPanel"));
    ExportPanel->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(ExportPanel);
    row->setContentsMargins(6, 3, 6, 3);
    auto* caption = new QLabel(tr("Eksportowanie danych…"), ExportPanel);
    caption->setObjectName(QStringLiteral("ExportLabel"));
    caption->setTextFormat(Qt::PlainText);
    caption->setMinimumWidth(caption->sizeHint().width());
    exportBar_ = new QProgressBar(ExportPanel);
    exportBar_->setObjectName(QStringLiteral("ExportProgress"));
    exportBar_->setRange(0, 1000);
    auto* cancel = new QPushButton(tr("Anuluj"), ExportPanel);
    cancel->setObjectName(QStringLiteral("ExportCancel"));
    row->addWidget(caption);
    row->addWidget(exportBar_, 1);
    row->addWidget(cancel);
    ExportPanel->hide();
    connect(cancel, &QPushButton::clicked, exporter_, &ChartExporter::Cancel);
    connect(exporter_, &ChartExporter::Progress, exportBar_, &QProgressBar::setValue);
    connect(exporter_, &ChartExporter::Finished, this, &ChartPage::ExportFinished);
    LayOut();
}

QMenu* ChartPage::ChartMenu() {
    auto* menu = new QMenu(this);
    menu->addAction(tr("Zapisz obraz…"), this, &ChartPage::ChooseAndSaveImage);
    menu->addAction(tr("Eksportuj dane…"), this, &ChartPage::ChooseAndExportData)
        ->setEnabled(!ExportRunning());
    menu->addAction(tr("Pokaż wszystko"), Chart, &HygroChart::ShowAll);
    return menu;
}

void ChartPage::ChooseAndSaveImage() {
    const QString path = QFileDialog::getSaveFileName(
        window(), tr("Zapisz obraz"), QString(), tr("Obraz PNG (*.png);;Dokument PDF (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    if (const QString error = SaveImage(path); !error.isEmpty()) {
        ShowErrorBox(window(), error);
    }
}

void ChartPage::ChooseAndExportData() {
    const QString path = QFileDialog::getSaveFileName(window(), tr("Eksportuj dane"), QString(),
                                                      tr("Plik CSV (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    StartExport(path);
}

QString ChartPage::SaveImage(const QString& path) {
    HygroChart& chart = *Chart;
    const bool saved = path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
                           ? chart.savePdf(path, chart.width(), chart.height())
                           : chart.savePng(path, chart.width(), chart.height());
    return saved ? QString() : tr("Nie można zapisać obrazu w pliku %1").arg(path);
}

bool ChartPage::StartExport(const QString& path) {
    const QCPRange shown = Chart->xAxis->range();
    if (ExportRunning() || !exporter_->Start(Chart->Snapshot(shown.lower, shown.upper), path)) {
        return false;
    }
    exportBar_->setValue(0);
    ExportPanel->setToolTip(QDir::toNativeSeparators(path));
    ExportPanel->show();
    LayOut();
    return true;
}

void ChartPage::ExportFinished(const ChartCsvFileResult& result, const QString& path) {
    ExportPanel->hide();
    LayOut();
    const bool written = result.outcome == ChartCsvFileResult::Outcome::Written;
    QString error;
    if (result.outcome == ChartCsvFileResult::Outcome::Failed) {
        error = tr("Nie można wyeksportować danych do pliku %1: %2")
                    .arg(QDir::toNativeSeparators(path), FileErrorText(result.error));
        ShowErrorBox(window(), error);
    }
    emit ExportEnded(written, error);
}

void ChartPage::LayOut() {
    // The bar is laid out hidden too, so that its texts are whole whenever it shows.
    const int height = ExportPanel->sizeHint().height();
    ExportPanel->setGeometry(0, this->height() - height, width(), height);
    ExportPanel->layout()->activate();
    QRect chart = rect();
    if (!ExportPanel->isHidden()) {
        chart.setBottom(ExportPanel->y() - 1);
    }
    Chart->setGeometry(chart);
}

void ChartPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void ChartPage::AddSample(const SampleUpdate& update) {
    // The worker sends the time of day alone; the date is today's, or yesterday's for a
    // sample taken just before midnight and delivered just after.
    const QDateTime now = QDateTime::currentDateTime();
    const double x =
        OleDate(SampleDate(update.time, now), update.time.isValid() ? update.time : now.time());
    const std::array<double, kSeriesCount> values = SeriesValues(update.sample);
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        Chart->AddPoint(static_cast<ChartSeries>(i), x, values[i]);
    }
}

void ChartPage::ChooseAndLoadFile() {
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
    HygroChart& chart = *Chart;
    chart.ClearSeries(DewPointSeries);
    // Both series keep as many points; the file's older ones would be dropped.
    const ChartFileResult result = LoadChartFile(
        path, QLocale(), static_cast<std::size_t>(chart.Points(DewPointSeries).Limit()));
    const LoadedPoints& points = result.points;
    chart.AddPoints(DewPointSeries, points.x1, points.y1);
    chart.AddPoints(HeadTemperatureSeries, points.x2, points.y2);
    if (points.dataLines > 0) {
        chart.SetBottomAxisAutomatic();
    }
    if (result.fileErrno != 0) {
        ShowErrorBox(window(), FileErrorText(result.fileErrno));
    } else if (points.error) {
        ShowErrorBox(window(), *points.error);
    }
}
