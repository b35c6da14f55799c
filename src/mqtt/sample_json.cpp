#include "mqtt/sample_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstddef>

namespace {

// The record's value texts are JSON numbers already (no grouping, "." before decimals,
// "-" for negatives), so they go in as they are: no float round trip can change a digit.
// The time and the unit are strings, quoted by Qt's JSON writer; an empty value is null.
QByteArray JsonString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);  // without the array's brackets
}

}  // namespace

QByteArray SampleJson(const SampleValues& values, TemperatureScale scale) {
    const std::array<QString, kSampleColumnCount> texts = SampleColumnTexts(values);
    QByteArray json = "{";
    for (std::size_t i = 0; i < kSampleColumnCount; ++i) {
        const QByteArray name(kSampleColumnNames[i].data(),
                              static_cast<qsizetype>(kSampleColumnNames[i].size()));
        const bool isText = kSampleColumnNames[i] == "time";
        // A quantity that could not be computed is empty in the record and null here.
        const QByteArray value = isText               ? JsonString(texts[i])
                                 : texts[i].isEmpty() ? QByteArray("null")
                                                      : texts[i].toLatin1();
        json += '"' + name + "\":" + value + ',';
    }
    if (scale != TemperatureScale::Unknown) {
        json += "\"temperature_unit\":" +
                JsonString(scale == TemperatureScale::Celsius ? QStringLiteral("°C")
                                                              : QStringLiteral("°F")) +
                ',';
    }
    json.back() = '}';
    return json;
}
