#include "measure/record_row.h"

#include <QStringList>

QByteArray RecordHeader() {
    QByteArray header;
    for (std::string_view name : kSampleColumnNames) {
        if (!header.isEmpty()) {
            header += ',';
        }
        header.append(name.data(), static_cast<qsizetype>(name.size()));
    }
    return header + '\n';
}

QByteArray RecordRow(const SampleValues& values) {
    QStringList fields;
    for (const QString& text : SampleColumnTexts(values)) {
        fields << text;
    }
    return fields.join(QLatin1Char(',')).toUtf8() + '\n';
}
