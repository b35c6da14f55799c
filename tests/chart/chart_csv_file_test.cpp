// A chart snapshot written into a file: whole under its name, or nothing under it when
// cancelled or failed, with nothing left beside it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <string>

#include "chart/chart_csv_file.h"
#include "chart/ole_date.h"
#include "local_zone.h"

namespace {

constexpr double kSecond = 1.0 / 86'400.0;
const char kHeader[] =
    "time,dew_point,head_temperature,mirror_dew_level,peltier_power,frost_level,"
    "mirror_temperature,ambient_temperature\n";

// `rows` samples a second apart from 2026-12-10 08:00 on the dew point series, 1.25 each.
ChartSnapshot Snapshot(int rows) {
    std::array<std::unique_ptr<SeriesPoints>, kSeriesCount> points;
    const double t0 = OleDate(QDate(2026, 12, 10), QTime(8, 0));
    for (auto& series : points) {
        series = std::make_unique<SeriesPoints>();
    }
    for (int i = 0; i < rows; ++i) {
        points[DewPointSeries]->Add(t0 + i * kSecond, 1.25);
    }
    ChartSnapshot snapshot;
    snapshot.from = t0;
    snapshot.to = t0 + 1.0;
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        snapshot.series[i] = points[i]->ShareRange(snapshot.from, snapshot.to);
    }
    return snapshot;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

QStringList Files(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
}

TEST(ChartCsvFileTest, AWholeFileTakesTheNameAndNothingIsLeftBeside) {
    const ScopedLocalZone zone(kDstZone);
    ExpectDstZoneActive();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // An earlier export's leftover is not touched; the file is replaced.
    const QString path = dir.filePath("data.csv");
    for (const QString& name : {path, path + ".part"}) {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\n");
    }
    const std::atomic<bool> cancel{false};
    std::int64_t progress = 0;
    const ChartCsvFileResult result = WriteChartCsvFile(
        Snapshot(2), path.toStdString(), cancel, [&](std::int64_t points) { progress = points; });
    EXPECT_EQ(result.outcome, ChartCsvFileResult::Outcome::Written);
    EXPECT_EQ(result.error, 0);
    EXPECT_EQ(result.rows, 2);
    EXPECT_EQ(progress, 2);
    EXPECT_EQ(Contents(path), QByteArray(kHeader) +
                                  "2026-12-10T08:00:00.000+01:00,1.25,,,,,,\n"
                                  "2026-12-10T08:00:01.000+01:00,1.25,,,,,,\n");
    EXPECT_EQ(Contents(path + ".part"), "old\n");
    EXPECT_EQ(Files(dir), QStringList({"data.csv", "data.csv.part"}));
}

TEST(ChartCsvFileTest, ACancelledOrFailedExportLeavesNoFile) {
    struct Case {
        const char* name;
        int rows;
        // Cancelled after this many pieces were written; -1: never.
        int cancelAfter;
        const char* folder;
        ChartCsvFileResult::Outcome outcome;
        int error;
        int pieces;
    };
    const Case cases[] = {
        {"cancelled before its only piece", 2, 0, "", ChartCsvFileResult::Outcome::Cancelled, 0, 0},
        {"cancelled after the first of many pieces", 20'000, 1, "",
         ChartCsvFileResult::Outcome::Cancelled, 0, 1},
        {"a folder that does not exist", 2, -1, "missing/", ChartCsvFileResult::Outcome::Failed,
         ENOENT, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QString(c.folder) + "data.csv");
        std::atomic<bool> cancel{c.cancelAfter == 0};
        int pieces = 0;
        const ChartCsvFileResult result =
            WriteChartCsvFile(Snapshot(c.rows), path.toStdString(), cancel, [&](std::int64_t) {
                if (++pieces == c.cancelAfter) {
                    cancel = true;
                }
            });
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.rows, 0);
        EXPECT_EQ(pieces, c.pieces);
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_EQ(Files(dir), QStringList());
    }
}

}  // namespace
