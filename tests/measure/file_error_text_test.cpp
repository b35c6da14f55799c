#include "measure/file_error_text.h"

#include <gtest/gtest.h>

#include <QString>
#include <cerrno>

namespace {

// The texts themselves are tested with files::FileErrorText; this is what the window gets.
TEST(FileErrorText, ReachesTheWindowAsTheSameText) {
    EXPECT_EQ(FileErrorText(ENOSPC), QStringLiteral("Disk full"));
    EXPECT_EQ(FileErrorText(EIO), QStringLiteral("I/O error %1").arg(EIO));
}

}  // namespace
