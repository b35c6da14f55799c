#pragma once
// The one place that turns the error code of a failed file operation into the text the
// operator is shown.

#include <string>

namespace files {

// "File not found", "Invalid filename", "Too many open files", "File access denied",
// "Disk full", otherwise "I/O error N" with the code.
std::string FileErrorText(int err);

}  // namespace files
