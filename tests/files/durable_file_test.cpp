// Durable appends and atomic replacement through the real system calls: what lands, what is
// left behind when a step fails, and the error codes.
#include "files/durable_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Append(const fs::path& path, const std::string& bytes) {
    return files::AppendDurably(Utf8(path), bytes.data(), bytes.size());
}

int Replace(const fs::path& path, const std::string& bytes) {
    return files::ReplaceAtomically(Utf8(path), bytes.data(), bytes.size());
}

class DurableFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("hygro-durable-") + test->name());
        fs::remove_all(dir_);
        ASSERT_TRUE(fs::create_directories(dir_));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    fs::path dir_;
};

TEST_F(DurableFileTest, AppendsToAnExistingFileOnly) {
    const fs::path path = dir_ / "points.csv";
    EXPECT_EQ(Append(path, "row\n"), ENOENT);
    EXPECT_FALSE(fs::exists(path)) << "an append creates nothing";

    ASSERT_EQ(Replace(path, "header\n"), 0);
    ASSERT_EQ(Append(path, "1,2\n"), 0);
    ASSERT_EQ(Append(path, std::string("3,\xC2\xB0\r\n", 6)), 0);
    EXPECT_EQ(Contents(path), std::string("header\n1,2\n3,\xC2\xB0\r\n"));
}

TEST_F(DurableFileTest, ReplacesInOneStepAndLeavesNoTemporary) {
    const fs::path path = dir_ / "ąę points.csv";
    ASSERT_EQ(Replace(path, "first\n"), 0);
    EXPECT_EQ(Contents(path), "first\n");
    // A temporary left by a crash before the rename is simply written over.
    fs::path temporary = path;
    temporary += ".tmp";
    std::ofstream(temporary) << "stale half of an older rewrite";
    ASSERT_EQ(Replace(path, "second\nthird\n"), 0);
    EXPECT_EQ(Contents(path), "second\nthird\n");
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_EQ(files::ReplacementPath("dir/points-20261210-131500.csv"),
              "dir/points-20261210-131500.csv.tmp");
}

TEST_F(DurableFileTest, AFailedReplacementLeavesTheFileAsItWas) {
    EXPECT_EQ(Replace(dir_ / "missing" / "points.csv", "x"), ENOENT);
    EXPECT_FALSE(fs::exists(dir_ / "missing"));

    // The name is taken by a directory: the rename fails, and the temporary goes again.
    const fs::path taken = dir_ / u8"zajęte";
    fs::create_directory(taken);
    std::ofstream(taken / "inside") << "kept";
    EXPECT_NE(Replace(taken, "new"), 0);
    EXPECT_TRUE(fs::is_directory(taken));
    EXPECT_EQ(Contents(taken / "inside"), "kept");
    fs::path temporary = taken;
    temporary += ".tmp";
    EXPECT_FALSE(fs::exists(temporary));
}

#ifndef _WIN32
// A file size limit makes the system take only part of an append: the part is cut off again,
// so the file ends with the last whole append.
TEST_F(DurableFileTest, APartialAppendIsCutOffAgain) {
    const fs::path path = dir_ / "points.csv";
    ASSERT_EQ(Replace(path, "header\n"), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = 10;  // the header and 3 bytes more
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int error = Append(path, "1,2,3,4,5,6\n");
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(Contents(path), "header\n");
}
#endif

}  // namespace
