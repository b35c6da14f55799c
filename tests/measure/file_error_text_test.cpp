#include "measure/file_error_text.h"

#include <gtest/gtest.h>

#include <QString>
#include <cerrno>

namespace {

struct ErrorCase {
    int err;
    const char* expected;
};

TEST(FileErrorText, NamesTheErrorOrGivesItsNumber) {
    const ErrorCase cases[] = {
        {ENOENT, "File not found"},
        {ENAMETOOLONG, "Invalid filename"},
        {EINVAL, "Invalid filename"},
        {EMFILE, "Too many open files"},
        {ENFILE, "Too many open files"},
        {EACCES, "File access denied"},
        {EPERM, "File access denied"},
        {EROFS, "File access denied"},
        {ENOSPC, "Disk full"},
        {EDQUOT, "Disk full"},
        {EIO, "I/O error 5"},
        {EISDIR, "I/O error 21"},
        {0, "I/O error 0"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.err);
        EXPECT_EQ(FileErrorText(c.err), QString::fromLatin1(c.expected));
    }
}

}  // namespace
