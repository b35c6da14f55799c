#pragma once
// The one place that sorts the error code of a failed file operation into what the operator
// is told: the kind here, its words in the interface's language where the program has one
// (measure/file_error_text.h), these English words where it has none.

#include <string>

namespace files {

enum class FileErrorKind {
    NotFound,
    InvalidName,
    TooManyOpen,
    AccessDenied,
    DiskFull,
    Other,  // said with its code
};

FileErrorKind FileErrorKindOf(int err);

// "File not found", "Invalid filename", "Too many open files", "File access denied",
// "Disk full", otherwise "I/O error N" with the code.
std::string FileErrorText(int err);

}  // namespace files
