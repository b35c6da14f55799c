#include "viewer/chart_file_loader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

std::size_t OpenDescriptors() {
    const auto entries = std::filesystem::directory_iterator("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

// A measurement log several read buffers long, with a line of two megabytes that crosses
// buffer boundaries and a last line without line end.
std::string LongFile() {
    std::string bytes = "H1\r\nH2\r\n";
    for (int i = 0; i < 60'000; ++i) {
        const int second = i % 60, minute = (i / 60) % 60, hour = (i / 3600) % 24;
        char line[96];
        std::snprintf(line, sizeof line, "%d\t%02d:%02d:%02d\t%d\t%d\t2210\t-12,34\t45,12\r\n", i,
                      hour, minute, second, -1000 - i % 7000, 4000 + i % 999);
        bytes += line;
        if (i == 30'000) {
            bytes += "1\t10:00:00\t  1.5" + std::string(2 << 20, 'x') + "\r\n";
        }
    }
    return bytes + "1\t23:59:59\t  3.5";
}

struct LoaderCase {
    const char* name;
    std::string bytes;  // written to the file unless `file` names something else
    QLocale locale;
    const char* file;  // relative to the temporary directory; nullptr: the written file
    int fileErrno;
    std::size_t points1;
    bool stopped;
};

TEST(LoadChartFile, ReadsTheFileAndClosesIt) {
    const QLocale finnish(QLocale::Finnish, QLocale::Finland);
    const LoaderCase cases[] = {
        {"a measurement log", LongFile(), QLocale::c(), nullptr, 0, 60'002, false},
        {"a file that stops on a bad time",
         "H1\r\nH2\r\n1\t10:00:00\t  1.5\r\n2\t2012-3-5\t  1.5\r\n", QLocale::c(), nullptr, 0, 1,
         true},
        {"the locale's time separator", "H1\nH2\n1\t10.30.00\t  1.5\n", finnish, nullptr, 0, 1,
         false},
        {"another locale's time separator", "H1\nH2\n1\t10.30.00\t  1.5\n", QLocale::c(), nullptr,
         0, 0, true},
        {"an empty file", "", QLocale::c(), nullptr, 0, 0, false},
        {"a missing file", "", QLocale::c(), "missing.txt", ENOENT, 0, false},
        {"a directory", "", QLocale::c(), ".", EISDIR, 0, false},
    };
    for (const LoaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path =
            dir.filePath(c.file ? QString::fromUtf8(c.file) : QStringLiteral("chart.txt"));
        if (!c.file) {
            WriteFile(path, c.bytes);
        }
        const std::size_t descriptorsBefore = OpenDescriptors();

        const ChartFileResult result = LoadChartFile(path, c.locale);

        EXPECT_EQ(OpenDescriptors(), descriptorsBefore);
        EXPECT_EQ(result.fileErrno, c.fileErrno);
        EXPECT_EQ(result.points.x1.size(), c.points1);
        EXPECT_EQ(result.points.error.has_value(), c.stopped);
        // Reading in buffers gives what parsing the whole file at once gives.
        const LoadedPoints expected = ParseChartFile(c.bytes, TimeTextRules::FromLocale(c.locale));
        EXPECT_EQ(result.points.x1, expected.x1);
        EXPECT_EQ(result.points.y1, expected.y1);
        EXPECT_EQ(result.points.x2, expected.x2);
        EXPECT_EQ(result.points.y2, expected.y2);
        EXPECT_EQ(result.points.error, expected.error);
        EXPECT_EQ(result.points.dataLines, expected.dataLines);
    }
}

TEST(LoadChartFile, ReportsAFileItMayNotRead) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("locked.txt"));
    WriteFile(path, "H1\nH2\n1\t10:00:00\t  1.5\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    // Root reads any file: the load is made as an unprivileged user then.
    const uid_t user = ::geteuid();
    constexpr uid_t kNobody = 65534;
    if (user == 0 && ::seteuid(kNobody) != 0) {
        GTEST_SKIP() << "root without the capability to become another user: "
                     << std::strerror(errno);
    }
    const ChartFileResult result = LoadChartFile(path, QLocale::c());
    ASSERT_TRUE(user != 0 || ::seteuid(0) == 0);
    EXPECT_EQ(result.fileErrno, EACCES);
    EXPECT_TRUE(result.points.x1.empty());
}

}  // namespace
