// The dated record file: named after its first row, a header once, rows appended, and what
// happens when its directory or the file itself is not there.
#include "measure/dated_record.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "measure/record_row.h"

namespace {

class DatedRecordTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    std::string Path(const QString& name) const { return dir_.filePath(name).toStdString(); }
    QByteArray Read(const std::string& path) const {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files); }

    static QDateTime At(int hour, int minute, int second) {
        return QDateTime(QDate(2026, 12, 10), QTime(hour, minute, second));
    }

    QTemporaryDir dir_;
};

TEST_F(DatedRecordTest, TheFirstRowNamesTheFileAndTheHeaderComesOnce) {
    DatedRecord record(dir_.path().toStdString());
    EXPECT_EQ(record.Where(), dir_.path().toStdString()) << "before the first row: the directory";

    const DatedRecord::AppendResult first = record.Append(At(13, 15, 0), 1, "row 1\n");
    EXPECT_EQ(first.error, 0);
    EXPECT_TRUE(first.created);
    EXPECT_FALSE(first.restarted);
    const std::string path = Path("hygrometer-20261210-131500.csv");
    EXPECT_EQ(record.Where(), path);

    // Later rows, even past midnight, go on in the same file.
    const QDateTime tomorrow(QDate(2026, 12, 11), QTime(0, 0, 1));
    const DatedRecord::AppendResult second = record.Append(tomorrow, 2, "row 2\n");
    EXPECT_EQ(second.error, 0);
    EXPECT_FALSE(second.created);
    EXPECT_EQ(Read(path), RecordHeader() + "row 1\nrow 2\n");
    EXPECT_EQ(Files(), QStringList{"hygrometer-20261210-131500.csv"});
}

TEST_F(DatedRecordTest, ANameInUseGetsTheNextNumber) {
    {
        QFile taken(QString::fromStdString(Path("hygrometer-20261210-131500.csv")));
        ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
        taken.write("another run's\n");
    }
    DatedRecord record(dir_.path().toStdString());
    ASSERT_EQ(record.Append(At(13, 15, 0), 1, "row\n").error, 0);
    EXPECT_EQ(record.Where(), Path("hygrometer-20261210-131500-2.csv"));
    EXPECT_EQ(Read(Path("hygrometer-20261210-131500.csv")), "another run's\n") << "untouched";
    EXPECT_EQ(Read(record.Where()), RecordHeader() + "row\n");
}

TEST_F(DatedRecordTest, AMissingDirectoryHoldsTheRowsUntilItExists) {
    const std::string directory = Path("records");
    DatedRecord record(directory);
    const DatedRecord::AppendResult failed = record.Append(At(13, 15, 0), 1, "row 1\n");
    EXPECT_EQ(failed.error, ENOENT);
    EXPECT_FALSE(failed.created);
    EXPECT_EQ(failed.held, 1u);
    EXPECT_EQ(record.Where(), directory);
    const DatedRecord::AppendResult second = record.Append(At(13, 15, 1), 2, "row 2\n");
    EXPECT_EQ(second.error, ENOENT);
    EXPECT_EQ(second.held, 2u);

    ASSERT_TRUE(QDir(dir_.path()).mkdir("records"));
    const DatedRecord::AppendResult created = record.Append(At(13, 15, 2), 3, "row 3\n");
    EXPECT_EQ(created.error, 0);
    EXPECT_TRUE(created.created);
    EXPECT_FALSE(created.restarted) << "made for the first time, not started again";
    EXPECT_EQ(created.writtenLate, 2u);
    EXPECT_EQ(created.held, 0u);
    EXPECT_EQ(record.Where(), directory + "/hygrometer-20261210-131500.csv")
        << "named after the first row meant for it";
    EXPECT_EQ(Read(record.Where()), RecordHeader() + "row 1\nrow 2\nrow 3\n");
}

TEST_F(DatedRecordTest, ADeletedFileStartsAgainWithItsHeader) {
    DatedRecord record(dir_.path().toStdString());
    ASSERT_EQ(record.Append(At(13, 15, 0), 1, "row 1\n").error, 0);
    const std::string path = record.Where();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));

    const DatedRecord::AppendResult again = record.Append(At(13, 15, 1), 2, "row 2\n");
    EXPECT_EQ(again.error, 0);
    EXPECT_TRUE(again.restarted);
    EXPECT_EQ(again.restartedAt, 2);
    EXPECT_EQ(record.Where(), path) << "the same name";
    EXPECT_EQ(Read(path), RecordHeader() + "row 2\n");

    // An empty file (a header that could not be written) gets the header before its row.
    QFile(QString::fromStdString(path)).resize(0);
    EXPECT_EQ(record.Append(At(13, 15, 2), 3, "row 3\n").error, 0);
    EXPECT_EQ(Read(path), RecordHeader() + "row 3\n");
}

TEST_F(DatedRecordTest, AFullDiskIsReported) {
    if (!QFile::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    DatedRecord record(dir_.path().toStdString());
    ASSERT_EQ(record.Append(At(13, 15, 0), 1, "row 1\n").error, 0);
    const std::string path = record.Where();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
    ASSERT_TRUE(QFile::link("/dev/full", QString::fromStdString(path)));
    const DatedRecord::AppendResult full = record.Append(At(13, 15, 1), 2, "row 2\n");
    EXPECT_EQ(full.error, ENOSPC);
    EXPECT_EQ(full.held, 1u);
    EXPECT_EQ(record.Retry().error, ENOSPC);

    // Space again (the link gone): the file starts again, the held row before the new one.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
    const DatedRecord::AppendResult back = record.Append(At(13, 15, 2), 3, "row 3\n");
    EXPECT_EQ(back.error, 0);
    EXPECT_EQ(back.writtenLate, 1u);
    EXPECT_TRUE(back.restarted);
    EXPECT_EQ(back.restartedAt, 2);
    EXPECT_EQ(Read(path), RecordHeader() + "row 2\nrow 3\n");
}

TEST_F(DatedRecordTest, AFileSwappedForAFullDeviceAndBackKeepsItsOneHeader) {
    if (!QFile::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    DatedRecord record(dir_.path().toStdString());
    ASSERT_EQ(record.Append(At(13, 15, 0), 1, "row 1\n").error, 0);
    const QString path = QString::fromStdString(record.Where());
    const QString aside = path + ".aside";
    // The file stays under a second name while its own name leads to a full device, which
    // reports no size: that is no empty file to begin a header in.
    ASSERT_TRUE(QFile::rename(path, aside));
    ASSERT_TRUE(QFile::link("/dev/full", path));
    const DatedRecord::AppendResult full = record.Append(At(13, 15, 1), 2, "row 2\n");
    EXPECT_EQ(full.error, ENOSPC);
    EXPECT_EQ(full.held, 1u);

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(aside, path));
    const DatedRecord::AppendResult back = record.Append(At(13, 15, 2), 3, "row 3\n");
    EXPECT_EQ(back.error, 0);
    EXPECT_EQ(back.writtenLate, 1u);
    EXPECT_FALSE(back.restarted);
    EXPECT_EQ(Read(path.toStdString()), RecordHeader() + "row 1\nrow 2\nrow 3\n");
}

}  // namespace
