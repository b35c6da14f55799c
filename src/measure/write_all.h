#pragma once
// Writing a whole line to a file descriptor, straight to the system.

#include <QByteArray>

// Writes every byte of `bytes`, resuming after interrupted or partial writes; 0 or the
// errno of the failing call (EIO when the system accepted nothing without saying why).
int WriteAll(int fd, const QByteArray& bytes);
