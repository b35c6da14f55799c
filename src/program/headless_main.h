#pragma once
// Entry of the headless mode: no window, no display, a QCoreApplication.

#include "program/command_line.h"

// Runs the headless program for `commandLine` until it ends; its exit status. Call instead
// of creating any application object, before any thread is started.
int RunHeadless(int& argc, char** argv, const CommandLine& commandLine, bool englishUi);
