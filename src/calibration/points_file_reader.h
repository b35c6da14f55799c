#pragma once
// Reading a points file back: untrusted text (a file may have been edited, cut short or be
// something else entirely), so every size is bounded, every field checked, and the first
// thing wrong is reported with its line; never a crash, never a value that merely looks
// right. A file this program wrote reads back as exactly what it wrote. The derived device
// columns (deviation, its U, verdict) are not read: they are computed again from the
// readings.

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <string>

#include "calibration/points_file.h"

namespace calibration {

// The largest file and the longest line read, in bytes.
inline constexpr qsizetype kLargestPointsFile = 16 * 1024 * 1024;
inline constexpr qsizetype kLongestPointsLine = 64 * 1024;

struct PointsFileError {
    enum class Kind {
        None,
        Unreadable,      // systemError: the file could not be opened or read
        TooLarge,        // over kLargestPointsFile
        LineTooLong,     // over kLongestPointsLine
        NotUtf8,         // bytes that are no UTF-8 text
        NotAPointsFile,  // the first line is not the mark
        NewerVersion,    // found: the version
        UnknownLine,     // found: the "#" line's kind
        RepeatedLine,    // found: the "#" line's kind, already given
        MetadataAfterHeader,
        UnclosedQuote,
        FieldCount,      // count fields where expectedCount belong
        BadValue,        // column: the field's name, found: its text
        BadHeader,       // column number `count`: found instead of expected
        DeviceOrder,     // device number found where expected belongs
        TooManyDevices,  // more than kMostDevices
        TooManyPoints,   // more than kMostPoints
        NoHeader,        // the file ends before the header row
    };
    Kind kind = Kind::None;
    qsizetype line = 0;  // 1 for the first line; 0 where no line is meant
    int systemError = 0;
    QString column;
    QString found;
    QString expected;
    qsizetype count = 0;
    qsizetype expectedCount = 0;
};

struct PointsFileRead {
    std::optional<PointsFile> file;  // empty on error
    PointsFileError error;
};

PointsFileRead ParsePointsFile(QByteArrayView bytes);

// Reads the file at `path` (UTF-8) and parses it; Unreadable with the errno when it cannot
// be read, TooLarge without reading more than the bound.
PointsFileRead LoadPointsFile(const std::string& path);

// The error in the interface's language, e.g. "Wiersz 14, kolumna „ppmv”: „1,5” nie jest
// poprawną wartością." ("Line 14, column “ppmv”: “1,5” is not a valid value.").
QString PointsFileErrorText(const PointsFileError& error);

}  // namespace calibration
