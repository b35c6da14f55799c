#pragma once
// The one place that turns a failed file operation's errno into the text the error box
// shows.

#include <QString>

// "File not found", "Invalid filename", "Too many open files", "File access denied",
// "Disk full", otherwise "I/O error N" with the errno value.
QString FileErrorText(int err);
