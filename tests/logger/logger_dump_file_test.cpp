#include "logger/logger_dump_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

TEST(LoggerDumpFile, CreateEmptiesAnEarlierFileAndLinesGoStraightToDisk) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("logged.txt");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an earlier dump, longer than the new one\r\n");
    }
    LoggerDumpFile file(path.toStdString());
    ASSERT_EQ(file.Create(), 0);
    EXPECT_EQ(ReadFile(path), "");
    ASSERT_EQ(file.WriteLine("0\tA\r\n"), 0);
    EXPECT_EQ(ReadFile(path), "0\tA\r\n");  // before the file is closed
    ASSERT_EQ(file.WriteLine(QByteArray("1\t\0\r\n", 5)), 0);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(ReadFile(path), QByteArray("0\tA\r\n1\t\0\r\n", 10));
    EXPECT_EQ(file.WriteLine("2\r\n"), EBADF);
    EXPECT_EQ(file.Close(), 0);
}

struct ErrorCase {
    const char* name;
    std::string path;
    int createError;
    int writeError;
};

TEST(LoggerDumpFile, ReportsTheErrnoOfTheFailingStep) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("logged.txt"));
    const ErrorCase cases[] = {
        {"a directory by that name", dir.filePath("logged.txt").toStdString(), EISDIR, 0},
        {"no such directory", dir.filePath("missing/logged.txt").toStdString(), ENOENT, 0},
        {"a full disk", "/dev/full", 0, ENOSPC},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.path == "/dev/full" && !QFile::exists("/dev/full")) {
            // The last case: the ones before it have run.
            GTEST_SKIP() << "no /dev/full here: the full disk was not tried";
        }
        LoggerDumpFile file(c.path);
        EXPECT_EQ(file.Create(), c.createError);
        if (c.createError == 0) {
            EXPECT_EQ(file.WriteLine("0\r\n"), c.writeError);
        }
    }
}

}  // namespace
