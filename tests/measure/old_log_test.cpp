// Keeping the previous run's log before a new run empties it.
#include "measure/old_log.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <set>

namespace {

TEST(DatedLogName, TakesTheChangeTimeAndCountsPastNamesInUse) {
    const QDateTime modified(QDate(2026, 3, 5), QTime(7, 8, 9));
    struct Case {
        const char* name;
        std::set<std::string> taken;
        const char* expected;
    };
    const Case cases[] = {
        {"free", {}, "/lab/jrt1-20260305-070809.txt"},
        {"taken once", {"/lab/jrt1-20260305-070809.txt"}, "/lab/jrt1-20260305-070809-2.txt"},
        {"taken twice",
         {"/lab/jrt1-20260305-070809.txt", "/lab/jrt1-20260305-070809-2.txt"},
         "/lab/jrt1-20260305-070809-3.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DatedLogName("/lab/jrt1.txt", modified,
                               [&](const std::string& n) { return c.taken.count(n) > 0; }),
                  c.expected);
    }
    EXPECT_EQ(DatedLogName("jrt1.txt", modified, [](const std::string&) { return false; }),
              "jrt1-20260305-070809.txt")
        << "a bare name stays in the working directory";
}

class KeepOldLogTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string LogPath() const { return dir.filePath("jrt1.txt").toStdString(); }
    void WriteLog(const QByteArray& bytes, const QDateTime& modified) {
        QFile file(dir.filePath("jrt1.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();  // the last write sets the time; then it is put back
        ASSERT_TRUE(file.open(QIODevice::Append));
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    QByteArray Read(const std::string& path) const {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
};

TEST_F(KeepOldLogTest, KeepsALogWithLinesByteForByteUnderItsDatedName) {
    const QByteArray lines("1\t10:00:00\t-50\r\n2\t10:00:01\t-51\r\n");
    WriteLog(lines, QDateTime(QDate(2026, 12, 9), QTime(23, 59, 58)));
    const KeptLog kept = KeepOldLog(LogPath());
    EXPECT_EQ(kept.error, 0);
    EXPECT_EQ(kept.keptAs, dir.filePath("jrt1-20261209-235958.txt").toStdString());
    EXPECT_EQ(Read(kept.keptAs), lines);
    EXPECT_EQ(Files(), QStringList({"jrt1-20261209-235958.txt"}));

    // The next run's log of the same second goes beside it, not over it.
    WriteLog("3\r\n", QDateTime(QDate(2026, 12, 9), QTime(23, 59, 58)));
    const KeptLog second = KeepOldLog(LogPath());
    EXPECT_EQ(second.keptAs, dir.filePath("jrt1-20261209-235958-2.txt").toStdString());
    EXPECT_EQ(Read(kept.keptAs), lines);
    EXPECT_EQ(Read(second.keptAs), "3\r\n");
}

TEST_F(KeepOldLogTest, NothingToKeepIsNoError) {
    EXPECT_EQ(KeepOldLog(LogPath()).error, 0) << "no file";
    WriteLog("", QDateTime::currentDateTime());
    const KeptLog kept = KeepOldLog(LogPath());
    EXPECT_EQ(kept.error, 0);
    EXPECT_TRUE(kept.keptAs.empty());
    EXPECT_EQ(Files(), QStringList({"jrt1.txt"})) << "an empty log is not worth a name";
}

TEST_F(KeepOldLogTest, AFailedRenameLeavesTheLogAsItWas) {
    WriteLog("1\r\n", QDateTime::currentDateTime());
    const KeptLog kept =
        KeepOldLog(LogPath(), [](const std::string&, const std::string&) { return EROFS; });
    EXPECT_EQ(kept.error, EROFS);
    EXPECT_TRUE(kept.keptAs.empty());
    EXPECT_EQ(Read(LogPath()), "1\r\n");
}

}  // namespace
