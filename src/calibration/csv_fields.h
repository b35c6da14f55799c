#pragma once
// The fields of one line of the points file: comma-separated, a field quoted ("...", with ""
// for a quote inside) when it holds a comma, a quote or blanks at its ends, as spreadsheets
// read and write them. A field never holds a line end: texts are single lines.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace calibration {

// The fields joined into a line (without its line end).
QString CsvLine(const QStringList& fields);

// The fields of a line (without its line end); empty for a quote that is not closed or
// a closing quote not followed by a comma or the line's end.
std::optional<QStringList> SplitCsvLine(QStringView line);

// `text` as one line: control characters (line ends, tabs) become blanks.
QString SingleLine(const QString& text);

}  // namespace calibration
