#pragma once
// What the Logger tab tells the operator when the instrument cannot be asked: before a
// connect, and when the port went away in the middle of a dump.

#include <QString>

// Shown by both logger buttons instead of a request that could never be sent.
QString LoggerNotConnectedText(bool englishUi);

// The dump stopped at record `reached` because the port went away; records 0 to
// reached - 1 are in the file.
QString LoggerDumpPortGoneText(int reached, bool englishUi);
