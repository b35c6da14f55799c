#pragma once
// The number of the logger record the operator asks for, as typed.

#include <QString>
#include <cstdint>

struct RecordNumberEntry {
    bool ok = false;
    std::uint8_t number = 0;  // the low eight bits of the integer: 256 -> 0, -1 -> 255
    QString error;            // when not ok: the conversion error for the error box
};

RecordNumberEntry RecordNumberFromText(const QString& text);
