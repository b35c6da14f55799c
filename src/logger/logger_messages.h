#pragma once
// What the Logger tab tells the operator when the port went away in the middle of a dump.

#include <QString>

// The dump stopped at record `reached` because the port went away; records 0 to
// reached - 1 are in the file.
QString LoggerDumpPortGoneText(int reached);
