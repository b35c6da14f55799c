// The chart's "Export data…" on its own thread: a snapshot of the points in view taken when
// it starts, the live points arriving meanwhile and drawn, Cancel, a failure, and closing
// the tab while it runs.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <semaphore>
#include <vector>

#include "app/chart_page.h"
#include "chart/chart_exporter.h"
#include "chart/ole_date.h"
#include "common/modal_closer.h"
#include "local_zone.h"
#include "measure/file_error_text.h"
#include "texts/interface_language.h"

namespace {

constexpr double kSecond = 1.0 / 86'400.0;
constexpr int kLongWait = 120'000;
const char kHeader[] =
    "time,dew_point,head_temperature,mirror_dew_level,peltier_power,frost_level,"
    "mirror_temperature,ambient_temperature\n";

double At(int hour, int minute, int second, int ms = 0) {
    return OleDate(QDate(2026, 12, 10), QTime(hour, minute, second, ms));
}

void AddSample(HygroChart& chart, double x, double value) {
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        chart.AddPoint(static_cast<ChartSeries>(i), x, value + static_cast<double>(i));
    }
}

// `seconds` samples from 00:00:00 on every series, enough that writing them takes many
// pieces of text, and the view from 00:00 to 23:59:59.
void AddMany(HygroChart& chart, int seconds) {
    std::vector<double> xs;
    std::vector<double> ys;
    for (int s = 0; s < seconds; ++s) {
        xs.push_back(At(0, 0, 0) + s * kSecond);
        ys.push_back(static_cast<double>(s % 1000) / 100.0);
    }
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        chart.AddPoints(static_cast<ChartSeries>(i), xs, ys);
    }
    chart.xAxis->setRange(At(0, 0, 0), At(23, 59, 59));
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

QStringList Files(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
}

struct Shown {
    Shown() {
        page.resize(753, 537);
        page.show();
    }
    ChartPage page;
    HygroChart& chart = *page.Chart;
};

TEST(ChartExportTest, TheFileHoldsTheSnapshotNotThePointsThatArriveDuringTheExport) {
    const ScopedLocalZone zone(kDstZone);
    ExpectDstZoneActive();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Shown shown;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown.page));
    AddSample(shown.chart, At(10, 0, 0), 1.0);
    AddSample(shown.chart, At(10, 0, 1), 2.0);
    AddSample(shown.chart, At(10, 0, 2), 3.0);
    // The view runs on past the last sample, where the live ones arrive.
    shown.chart.xAxis->setRange(At(9, 59, 59), At(10, 10, 0));
    QSignalSpy ended(&shown.page, &ChartPage::ExportEnded);

    const QString path = dir.filePath("data.csv");
    ASSERT_TRUE(shown.page.StartExport(path));
    EXPECT_TRUE(shown.page.ExportRunning());
    EXPECT_FALSE(shown.page.StartExport(dir.filePath("second.csv")));
    // Live samples after the last one and between two, into the same storage the export
    // reads, before its end has reached the window.
    AddSample(shown.chart, At(10, 0, 3), 4.0);
    AddSample(shown.chart, At(10, 0, 1, 500), 5.0);
    AddSample(shown.chart, At(10, 0, 4), 6.0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }, kLongWait));

    EXPECT_EQ(ended.at(0).at(0).toBool(), true);
    EXPECT_EQ(ended.at(0).at(1).toString(), "");
    EXPECT_FALSE(shown.page.ExportRunning());
    EXPECT_EQ(Contents(path), QByteArray(kHeader) +
                                  "2026-12-10T10:00:00.000+01:00,1,2,3,4,5,6,7\n"
                                  "2026-12-10T10:00:01.000+01:00,2,3,4,5,6,7,8\n"
                                  "2026-12-10T10:00:02.000+01:00,3,4,5,6,7,8,9\n");
    EXPECT_EQ(Files(dir), QStringList({"data.csv"}));
    EXPECT_EQ(shown.chart.Points(DewPointSeries).size(), 6);

    // The next export has them all.
    ASSERT_TRUE(shown.page.StartExport(path));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 2; }, kLongWait));
    EXPECT_EQ(Contents(path).count('\n'), 1 + 6);
}

// Holds the exporter's next export after its first piece of text until Release(), or until
// it goes out of scope, so that a failed check never leaves the export's thread waiting.
class HeldExport {
  public:
    explicit HeldExport(ChartExporter& exporter) {
        exporter.SetPieceWritten([gate = gate_](std::int64_t) {
            if (!gate->held.exchange(true)) {
                gate->reached.release();
                gate->release.acquire();
            }
        });
    }
    ~HeldExport() { Release(); }
    HeldExport(const HeldExport&) = delete;
    HeldExport& operator=(const HeldExport&) = delete;

    // Whether the export has written its first piece and waits.
    bool Reached() { return gate_->reached.try_acquire_for(std::chrono::milliseconds(kLongWait)); }
    void Release() {
        if (!released_) {
            released_ = true;
            gate_->release.release();
        }
    }

  private:
    struct Gate {
        std::atomic<bool> held{false};
        std::binary_semaphore reached{0};
        std::binary_semaphore release{0};
    };
    // Shared with the export's thread, which may outlive this.
    std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
    bool released_ = false;
};

TEST(ChartExportTest, TheWindowStaysLiveAndDrawsLivePointsWhileALongExportRuns) {
    const ScopedLocalZone zone(kDstZone);
    ExpectDstZoneActive();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Shown shown;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown.page));
    AddMany(shown.chart, 80'000);
    QSignalSpy ended(&shown.page, &ChartPage::ExportEnded);
    HeldExport held(shown.page.Exporter());

    const QString path = dir.filePath("day.csv");
    ASSERT_TRUE(shown.page.StartExport(path));
    EXPECT_TRUE(shown.page.ExportPanel->isVisible());
    ASSERT_TRUE(held.Reached());
    // Live samples while the export waits in the middle of its file, each after the last,
    // each drawn at a turn of the event loop.
    int added = 0;
    int drawnWhileRunning = 0;
    double last = At(0, 0, 0) + 79'999 * kSecond;
    const auto* graph = static_cast<const ColumnGraph*>(shown.chart.Graph(DewPointSeries));
    const auto lastDrawn = [&] {
        const DrawnSeries& drawn = graph->Shown();
        return !drawn.columns.empty() && drawn.columns.back().last.key == last;
    };
    for (int i = 0; i < 3; ++i) {
        last += kSecond;
        AddSample(shown.chart, last, 1.0);
        ++added;
        ASSERT_TRUE(QTest::qWaitFor(lastDrawn, kLongWait));
        drawnWhileRunning += shown.page.ExportRunning() ? 1 : 0;
    }
    held.Release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }, kLongWait));

    EXPECT_GT(added, 0);
    EXPECT_GT(drawnWhileRunning, 0);
    EXPECT_EQ(drawnWhileRunning, added);
    EXPECT_TRUE(ended.at(0).at(0).toBool());
    EXPECT_FALSE(shown.page.ExportPanel->isVisible());
    const QByteArray text = Contents(path);
    EXPECT_EQ(text.count('\n'), 1 + 80'000);
    EXPECT_TRUE(
        text.startsWith(QByteArray(kHeader) + "2026-12-10T00:00:00.000+01:00,0,0,0,0,0,0,0\n"));
    EXPECT_TRUE(
        text.endsWith("\n2026-12-10T22:13:19.000+01:00,9.99,9.99,9.99,9.99,9.99,9.99,"
                      "9.99\n"));
}

TEST(ChartExportTest, CancelLeavesNoFileAndAFailureSaysWhy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Shown shown;
    AddMany(shown.chart, 80'000);
    QSignalSpy ended(&shown.page, &ChartPage::ExportEnded);

    // A file already under the name stays as it was.
    const QString path = dir.filePath("data.csv");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\n");
    }
    ASSERT_TRUE(shown.page.StartExport(path));
    auto* cancel = shown.page.ExportPanel->findChild<QPushButton*>("ExportCancel");
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }, kLongWait));
    EXPECT_FALSE(ended.at(0).at(0).toBool());
    EXPECT_EQ(ended.at(0).at(1).toString(), "");
    EXPECT_EQ(Contents(path), "old\n");
    EXPECT_EQ(Files(dir), QStringList({"data.csv"}));

    // A folder that does not exist: the error box names the file and the system's reason.
    ModalCloser closer;
    const QString missing = dir.filePath("missing/data.csv");
    ASSERT_TRUE(shown.page.StartExport(missing));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 2; }, kLongWait));
    EXPECT_FALSE(ended.at(1).at(0).toBool());
    const QString error = ended.at(1).at(1).toString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(missing))) << error.toStdString();
    EXPECT_TRUE(error.endsWith(FileErrorText(ENOENT))) << error.toStdString();
    ASSERT_EQ(closer.boxes().size(), 1);
    EXPECT_TRUE(closer.boxes().at(0).text.startsWith(error))
        << closer.boxes().at(0).text.toStdString();
    EXPECT_EQ(Files(dir), QStringList({"data.csv"}));
}

TEST(ChartExportTest, ClosingTheTabDuringAnExportStopsItAndLeavesNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("data.csv");
    {
        auto shown = std::make_unique<Shown>();
        AddMany(shown->chart, 80'000);
        ASSERT_TRUE(shown->page.StartExport(path));
    }
    // Nothing more arrives from the export's thread.
    QCoreApplication::processEvents();
    EXPECT_EQ(Files(dir), QStringList());
}

TEST(ChartExportTest, TheProgressBarFitsInBothLanguages) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "English" : "Polish");
        std::optional<InterfaceTranslator> translator;
        if (english) {
            translator.emplace(InterfaceLanguage::English);
            EXPECT_TRUE(translator->Loaded());
        }
        Shown shown;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown.page));
        // Four days and a half, long enough to picture it on its way.
        AddMany(shown.chart, 400'000);
        shown.chart.xAxis->setRange(At(0, 0, 0), At(0, 0, 0) + 5.0);
        QSignalSpy ended(&shown.page, &ChartPage::ExportEnded);
        ASSERT_TRUE(shown.page.StartExport(dir.filePath("data.csv")));
        const auto* bar = shown.page.ExportPanel->findChild<QProgressBar*>("ExportProgress");
        ASSERT_NE(bar, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() > 0; }, kLongWait));
        const QWidget* panel = shown.page.ExportPanel;
        ASSERT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->geometry(), QRect(0, 537 - panel->height(), 753, panel->height()));
        EXPECT_GE(panel->height(), panel->sizeHint().height());
        EXPECT_LE(shown.chart.geometry().bottom(), panel->geometry().top());
        for (const QWidget* part : panel->findChildren<QWidget*>()) {
            SCOPED_TRACE(part->objectName().toStdString());
            EXPECT_GE(part->width(), part->sizeHint().width());
            EXPECT_TRUE(panel->rect().contains(part->geometry()));
        }
        const QImage picture = shown.page.grab().toImage();
        EXPECT_EQ(picture.size(), QSize(753, 537));
        if (const QString pictures = qEnvironmentVariable("HYGRO_PICTURE_DIR");
            !pictures.isEmpty()) {
            picture.save(QDir(pictures).filePath(english ? "export-en.png" : "export-pl.png"));
        }
        shown.page.CancelExport();
        ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }, kLongWait));
    }
}

}  // namespace
