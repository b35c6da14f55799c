#include "calibration/csv_fields.h"

namespace calibration {

namespace {

constexpr QChar kComma = QLatin1Char(',');
constexpr QChar kQuote = QLatin1Char('"');

bool NeedsQuotes(const QString& field) {
    return field.contains(kComma) || field.contains(kQuote) ||
           (!field.isEmpty() && (field.front().isSpace() || field.back().isSpace()));
}

}  // namespace

QString CsvLine(const QStringList& fields) {
    QStringList written;
    written.reserve(fields.size());
    for (const QString& field : fields) {
        if (NeedsQuotes(field)) {
            QString quoted = field;
            quoted.replace(kQuote, QStringLiteral("\"\""));
            written << kQuote + quoted + kQuote;
        } else {
            written << field;
        }
    }
    return written.join(kComma);
}

std::optional<QStringList> SplitCsvLine(QStringView line) {
    QStringList fields;
    qsizetype i = 0;
    while (true) {
        QString field;
        if (i < line.size() && line[i] == kQuote) {
            ++i;
            while (true) {
                if (i >= line.size()) {
                    return std::nullopt;  // the quote is not closed
                }
                if (line[i] == kQuote) {
                    if (i + 1 < line.size() && line[i + 1] == kQuote) {
                        field += kQuote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            if (i < line.size() && line[i] != kComma) {
                return std::nullopt;  // text after the closing quote
            }
        } else {
            const qsizetype end = line.indexOf(kComma, i);
            const qsizetype stop = end < 0 ? line.size() : end;
            field = line.mid(i, stop - i).toString();
            i = stop;
        }
        fields << field;
        if (i >= line.size()) {
            return fields;
        }
        ++i;  // past the comma
    }
}

QString SingleLine(const QString& text) {
    QString line = text;
    for (QChar& c : line) {
        if (c.category() == QChar::Other_Control) {
            c = QLatin1Char(' ');
        }
    }
    return line;
}

}  // namespace calibration
