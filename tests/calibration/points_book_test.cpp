// The run's points book: a point on disk as soon as it is recorded, every edit on disk at
// once, a file continued by the next run, and a change the disk refused written with the
// next one.
#include "calibration/points_book.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>

#include "calibration/points_file_reader.h"

namespace calibration {
namespace {

humidity::WindowStatistics Window(double mean, std::size_t count) {
    humidity::WindowStatistics w;
    w.count = count;
    w.spanSeconds = static_cast<double>(count - 1);
    w.mean = mean;
    w.standardDeviation = 0.01;
    w.driftPerHour = 0.02;
    w.full = true;
    w.stable = true;
    return w;
}

CalibrationPoint PointAt(double dewPoint, int minute) {
    PointSource s;
    s.time = QDateTime(QDate(2026, 12, 10), QTime(13, minute, 0), QTimeZone(3600));
    s.dewPoint = Window(dewPoint, 601);
    s.ambient = Window(22.0, 601);
    return RecordPoint(s, {});
}

const DeviceUnderTest kProbe{"probe 1", DeviceQuantity::RelativeHumidity, DeviceUnit::Percent, 0.1,
                             2.0};

class PointsBookTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string PathOf(const QString& name) const { return dir_.filePath(name).toStdString(); }
    // The file as a new run reads it.
    PointsFile OnDisk(const std::string& path) const {
        const PointsFileRead read = LoadPointsFile(path);
        EXPECT_TRUE(read.file.has_value()) << PointsFileErrorText(read.error).toStdString();
        return read.file.value_or(PointsFile{});
    }
    QTemporaryDir dir_;
};

TEST_F(PointsBookTest, EveryPointAndEditIsOnDiskAtOnce) {
    const std::string path = PathOf("points-20261210-131500.csv");
    PointsBook book;
    int changes = 0;
    QObject::connect(&book, &PointsBook::Changed, [&] { ++changes; });
    ASSERT_EQ(book.Open(path), QString());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path))) << "made with the first point";

    EXPECT_EQ(book.Record(PointAt(10.0, 15)), QString());
    EXPECT_EQ(OnDisk(path), book.File());
    EXPECT_EQ(book.AddDevice(kProbe), QString());
    EXPECT_EQ(book.SetReading(0, 0, 52.3), QString());
    EXPECT_EQ(book.Record(PointAt(12.0, 45)), QString());
    EXPECT_EQ(book.SetExcluded(0, true), QString());
    EXPECT_EQ(book.SetOperator("J. Kowalska"), QString());

    const PointsFile disk = OnDisk(path);
    EXPECT_EQ(disk, book.File());
    ASSERT_EQ(disk.points.size(), 2u);
    EXPECT_EQ(disk.points[0].readings, std::vector<std::optional<double>>{52.3});
    EXPECT_TRUE(disk.points[0].point.excluded);
    EXPECT_EQ(disk.operatorName, "J. Kowalska");
    EXPECT_EQ(changes, 7) << "the open and every change";
    EXPECT_FALSE(book.Unwritten());
}

TEST_F(PointsBookTest, TheNextRunContinuesTheFile) {
    const std::string path = PathOf("points.csv");
    {
        PointsBook first;
        ASSERT_EQ(first.Open(path), QString());
        ASSERT_EQ(first.Record(PointAt(10.0, 15)), QString());
        ASSERT_EQ(first.AddDevice(kProbe), QString());
    }
    PointsBook second;
    ASSERT_EQ(second.Open(path), QString());
    EXPECT_EQ(second.File().points.size(), 1u);
    EXPECT_EQ(second.File().devices, std::vector<DeviceUnderTest>{kProbe});
    ASSERT_EQ(second.Record(PointAt(12.0, 45)), QString());
    EXPECT_EQ(OnDisk(path).points.size(), 2u);
}

TEST_F(PointsBookTest, AFileThatIsNoPointsFileIsNotTakenOver) {
    const std::string path = PathOf("notes.csv");
    {
        QFile other(QString::fromStdString(path));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("time,dew_point\n");
    }
    PointsBook book;
    const QString error = book.Open(path);
    EXPECT_TRUE(error.contains("notes.csv")) << error.toStdString();
    EXPECT_FALSE(book.IsOpen());
    EXPECT_FALSE(book.Record(PointAt(10.0, 15)).isEmpty()) << "nowhere to write";
    QFile other(QString::fromStdString(path));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), "time,dew_point\n") << "untouched";
}

TEST_F(PointsBookTest, AChangeTheDiskRefusedIsWrittenWithTheNextOne) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("run"));
    const std::string path = PathOf("run/points.csv");
    PointsBook book;
    ASSERT_EQ(book.Open(path), QString());
    ASSERT_EQ(book.Record(PointAt(10.0, 15)), QString());

    // The folder gone (a disk unplugged, say): the point and the device stay in memory.
    ASSERT_TRUE(QDir(dir_.filePath("run")).removeRecursively());
    EXPECT_FALSE(book.Record(PointAt(12.0, 45)).isEmpty());
    EXPECT_FALSE(book.AddDevice(kProbe).isEmpty());
    EXPECT_TRUE(book.Unwritten());
    EXPECT_EQ(book.File().points.size(), 2u);

    ASSERT_TRUE(QDir(dir_.path()).mkdir("run"));
    EXPECT_EQ(book.SetReading(1, 0, 48.0), QString());
    EXPECT_FALSE(book.Unwritten());
    EXPECT_EQ(OnDisk(path), book.File()) << "both points, the device and the reading";
}

}  // namespace
}  // namespace calibration
