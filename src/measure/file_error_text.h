#pragma once
// The text for a failed file operation as the window shows it; the texts themselves are
// files::FileErrorText's.

#include <QString>

// "File not found", "Invalid filename", "Too many open files", "File access denied",
// "Disk full", otherwise "I/O error N" with the code.
QString FileErrorText(int err);
