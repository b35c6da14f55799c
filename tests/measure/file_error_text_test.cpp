#include "measure/file_error_text.h"

#include <gtest/gtest.h>

#include <QString>
#include <cerrno>

namespace {

// The words the Polish program uses, the source of the English program's ones (which are
// files::FileErrorText's, tested with it).
TEST(FileErrorText, ReadsInThePolishProgramsWords) {
    const struct {
        int error;
        const char* text;
    } cases[] = {
        {ENOENT, "Nie znaleziono pliku"},
        {ENAMETOOLONG, "Nieprawidłowa nazwa pliku"},
        {EINVAL, "Nieprawidłowa nazwa pliku"},
        {EMFILE, "Zbyt wiele otwartych plików"},
        {ENFILE, "Zbyt wiele otwartych plików"},
        {EACCES, "Brak dostępu do pliku"},
        {EPERM, "Brak dostępu do pliku"},
        {EROFS, "Brak dostępu do pliku"},
        {ENOSPC, "Dysk pełny"},
        {EDQUOT, "Dysk pełny"},
        {EIO, "Błąd wejścia/wyjścia 5"},
        {EISDIR, "Błąd wejścia/wyjścia 21"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileErrorText(c.error), QString::fromUtf8(c.text)) << c.error;
    }
}

}  // namespace
