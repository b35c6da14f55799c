#pragma once
// The system's error codes (errno) in the program's language. The codes the program meets
// at its ports, sockets and files have texts of their own, translated with the others;
// any other is the C library's text in the program's language where the system has it,
// else the C library's own.

#include <QString>

QString SystemErrorText(int error);
