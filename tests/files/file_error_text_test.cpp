#include "files/file_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

struct ErrorCase {
    int err;
    std::string expected;
};

TEST(FileErrorText, NamesTheErrorOrGivesItsNumber) {
    std::vector<ErrorCase> cases = {
        {ENOENT, "File not found"},
        {ENAMETOOLONG, "Invalid filename"},
        {EINVAL, "Invalid filename"},
        {EMFILE, "Too many open files"},
        {ENFILE, "Too many open files"},
        {EACCES, "File access denied"},
        {EPERM, "File access denied"},
        {EROFS, "File access denied"},
        {ENOSPC, "Disk full"},
        {EIO, "I/O error " + std::to_string(EIO)},
        {EISDIR, "I/O error " + std::to_string(EISDIR)},
        {0, "I/O error 0"},
    };
#ifdef EDQUOT
    cases.push_back({EDQUOT, "Disk full"});
#endif
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.err);
        EXPECT_EQ(files::FileErrorText(c.err), c.expected);
    }
}

}  // namespace
