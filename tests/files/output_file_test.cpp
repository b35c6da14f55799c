// The output file through the real system calls: the bytes land as they are, the open modes,
// and the error codes the operator's texts come from.
#include "files/output_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/file_error_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "<unreadable>";
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Write(files::OutputFile& file, const std::string& bytes) {
    return file.WriteAll(bytes.data(), bytes.size());
}

class OutputFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("hygro-files-") + test->name());
        fs::remove_all(dir_);
        ASSERT_TRUE(fs::create_directories(dir_));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    fs::path dir_;
};

TEST_F(OutputFileTest, BytesLandAsTheyAreAndTruncateEmptiesTheFile) {
    const fs::path path = dir_ / "jrt1.txt";
    // Line ends, a zero byte and bytes above 127 must not be translated on any system.
    const std::string bytes("12:00:01\t9.5\r\nno CR here\n\0\xB3\xFF end", 32);
    files::OutputFile file;
    ASSERT_EQ(file.Open(Utf8(path), files::OpenMode::Truncate), 0);
    ASSERT_EQ(Write(file, bytes), 0);
    EXPECT_EQ(Contents(path), bytes) << "readable before the file is closed";
    ASSERT_EQ(file.Close(), 0);
    EXPECT_FALSE(file.IsOpen());

    ASSERT_EQ(file.Open(Utf8(path), files::OpenMode::Truncate), 0);
    ASSERT_EQ(file.Close(), 0);
    EXPECT_EQ(Contents(path), "");
}

TEST_F(OutputFileTest, AppendingKeepsWhatIsThereAndCreatesOnlyWhenAsked) {
    const fs::path path = dir_ / "jrt1.txt";
    files::OutputFile file;
    EXPECT_EQ(file.Open(Utf8(path), files::OpenMode::AppendExisting), ENOENT);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(fs::exists(path));

    ASSERT_EQ(file.Open(Utf8(path), files::OpenMode::AppendOrCreate), 0);
    ASSERT_EQ(Write(file, "first\r\n"), 0);
    // Opening again closes the first; both modes write behind what is there.
    ASSERT_EQ(file.Open(Utf8(path), files::OpenMode::AppendExisting), 0);
    ASSERT_EQ(Write(file, "second\r\n"), 0);
    ASSERT_EQ(file.Open(Utf8(path), files::OpenMode::AppendOrCreate), 0);
    ASSERT_EQ(Write(file, "third\r\n"), 0);
    ASSERT_EQ(file.Close(), 0);
    EXPECT_EQ(Contents(path), "first\r\nsecond\r\nthird\r\n");
}

TEST_F(OutputFileTest, NamesOutsideAsciiAreKept) {
    const fs::path path = dir_ / fs::path(u8"pomiar-\u017c\u00f3\u0142w-\u2603.txt");
    files::OutputFile file;
    ASSERT_EQ(file.Open(Utf8(path), files::OpenMode::Truncate), 0);
    ASSERT_EQ(Write(file, "x"), 0);
    ASSERT_EQ(file.Close(), 0);
    EXPECT_EQ(Contents(path), "x");
}

TEST_F(OutputFileTest, FailuresGiveTheCodeBehindTheOperatorsText) {
    files::OutputFile file;
    const std::string inMissingFolder = Utf8(dir_ / "no-such-folder" / "logged.txt");
    for (files::OpenMode mode : {files::OpenMode::Truncate, files::OpenMode::AppendExisting,
                                 files::OpenMode::AppendOrCreate}) {
        SCOPED_TRACE(static_cast<int>(mode));
        const int err = file.Open(inMissingFolder, mode);
        EXPECT_EQ(err, ENOENT);
        EXPECT_EQ(files::FileErrorText(err), "File not found");
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_EQ(Write(file, "x"), EBADF) << "nothing is open";
    EXPECT_EQ(file.Close(), 0);
}

#ifdef _WIN32
// Windows: a file open elsewhere without sharing cannot be written, and says so as a POSIX
// system would; a file this program holds open stays readable, renamable and deletable by
// others, as on POSIX.
HANDLE OpenElsewhere(const fs::path& path, DWORD access, DWORD share) {
    return CreateFileW(path.wstring().c_str(), access, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST_F(OutputFileTest, AFileOpenElsewhereWithoutSharingIsRefusedAsAccessDenied) {
    const fs::path path = dir_ / "jrt1.txt";
    std::ofstream(path, std::ios::binary) << "earlier\r\n";
    const HANDLE holder = OpenElsewhere(path, GENERIC_READ, 0);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    files::OutputFile file;
    for (files::OpenMode mode : {files::OpenMode::Truncate, files::OpenMode::AppendExisting,
                                 files::OpenMode::AppendOrCreate}) {
        SCOPED_TRACE(static_cast<int>(mode));
        const int err = file.Open(Utf8(path), mode);
        EXPECT_EQ(err, EACCES);
        EXPECT_EQ(files::FileErrorText(err), "File access denied");
        EXPECT_FALSE(file.IsOpen());
    }
    CloseHandle(holder);
    EXPECT_EQ(Contents(path), "earlier\r\n") << "nothing emptied";

    // Let go: the same open works.
    EXPECT_EQ(file.Open(Utf8(path), files::OpenMode::AppendExisting), 0);
    EXPECT_EQ(Write(file, "1\r\n"), 0);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(Contents(path), "earlier\r\n1\r\n");
}

TEST_F(OutputFileTest, AFileHeldOpenHereStaysReadableRenamableAndDeletableElsewhere) {
    const fs::path path = dir_ / "jrt1.txt";
    files::OutputFile file;
    ASSERT_EQ(file.Open(Utf8(path), files::OpenMode::Truncate), 0);
    ASSERT_EQ(Write(file, "1\r\n"), 0);

    const HANDLE reader =
        OpenElsewhere(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE) << GetLastError();
    char bytes[8] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(reader, bytes, sizeof(bytes), &read, nullptr));
    EXPECT_EQ(std::string(bytes, read), "1\r\n");
    CloseHandle(reader);

    const fs::path moved = dir_ / "jrt1-moved.txt";
    EXPECT_TRUE(MoveFileW(path.wstring().c_str(), moved.wstring().c_str())) << GetLastError();
    EXPECT_EQ(Write(file, "2\r\n"), 0) << "the open file goes on under its new name";
    EXPECT_TRUE(DeleteFileW(moved.wstring().c_str())) << GetLastError();
    EXPECT_EQ(file.Close(), 0);
    EXPECT_FALSE(fs::exists(moved));
}
#endif

}  // namespace

namespace {

// What a write that fails part way left in the file is told by the bytes taken, so the rest
// of a line can follow later instead of the whole line again.
TEST_F(OutputFileTest, TheBytesTakenAreToldWhetherTheWriteFailsOrNot) {
    files::OutputFile file;
    std::size_t accepted = 99;
    EXPECT_EQ(file.WriteAll("abc", 3, &accepted), EBADF);
    EXPECT_EQ(accepted, 0u) << "no file open";

    const fs::path path = dir_ / "jrt1.txt";
    ASSERT_EQ(file.Open(Utf8(path), files::OpenMode::AppendOrCreate), 0);
    EXPECT_EQ(file.WriteAll("line 1\n", 7, &accepted), 0);
    EXPECT_EQ(accepted, 7u);
    ASSERT_EQ(file.Close(), 0);

    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    ASSERT_EQ(file.Open("/dev/full", files::OpenMode::AppendExisting), 0);
    accepted = 99;
    EXPECT_EQ(file.WriteAll("line 2\n", 7, &accepted), ENOSPC);
    EXPECT_EQ(accepted, 0u);
    ASSERT_EQ(file.Close(), 0);
    EXPECT_EQ(Contents(path), "line 1\n");
}

}  // namespace
