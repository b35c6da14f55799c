#pragma once
// The text for a failed file operation in the interface's language; the English program says
// what files::FileErrorText says.

#include <QString>

// "Nie znaleziono pliku" ("File not found"), "Nieprawidłowa nazwa pliku" ("Invalid
// filename"), "Zbyt wiele otwartych plików" ("Too many open files"), "Brak dostępu do
// pliku" ("File access denied"), "Dysk pełny" ("Disk full"), otherwise "Błąd wejścia/wyjścia
// N" ("I/O error N") with the code.
QString FileErrorText(int err);
