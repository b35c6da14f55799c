#include "program/config_file.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include "program/option_rows.h"

namespace {

bool IsKey(const QString& key) {
    if (key.isEmpty() || key.front() == '-') {
        return false;
    }
    for (const QChar c : key) {
        if (!(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9') && c != '-') {
            return false;
        }
    }
    return true;
}

bool HasControlCharacter(const QString& text) {
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control && c != '\t') {
            return true;
        }
    }
    return false;
}

QString Translate(const char* text) {
    return QCoreApplication::translate("ConfigFile", text);
}

}  // namespace

QString ConfigLine::Argument() const {
    return value ? QStringLiteral("--%1=%2").arg(key, *value) : QStringLiteral("--") + key;
}

ConfigText ParseConfigText(const QByteArray& bytes) {
    ConfigText result;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = QString(utf8(lines[i])).trimmed();  // also a CR before the LF
        const auto fail = [&](const QString& error) {
            result.errorLine = number;
            result.error = error;
            return result;
        };
        if (utf8.hasError()) {
            return fail(
                Translate(QT_TRANSLATE_NOOP("ConfigFile", "wiersz nie jest tekstem UTF-8")));
        }
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        ConfigLine entry;
        entry.number = number;
        entry.key = (equals < 0 ? line : line.left(equals)).trimmed();
        if (equals >= 0) {
            entry.value = line.mid(equals + 1).trimmed();
        }
        if (!IsKey(entry.key)) {
            return fail(
                Translate(QT_TRANSLATE_NOOP(
                              "ConfigFile",
                              "\"%1\" nie jest kluczem: kluczem jest długa opcja bez \"--\", "
                              "np. \"port = /dev/ttyUSB0\""))
                    .arg(entry.key));
        }
        if (entry.value && HasControlCharacter(*entry.value)) {
            return fail(
                Translate(QT_TRANSLATE_NOOP("ConfigFile", "wartość %1 zawiera znak sterujący"))
                    .arg(entry.key));
        }
        result.lines.push_back(entry);
    }
    return result;
}

QStringList ConfigOnlyKeys() {
    QStringList keys;
    for (const OptionRow& row : OptionRows()) {
        if (row.source == OptionSource::FileOnly) {
            keys << QLatin1String(row.name);
        }
    }
    return keys;
}

bool IsCommandLineOnlyKey(const QString& key) {
    const OptionRow* row = FindOption(key);
    return row != nullptr && row->source == OptionSource::CommandLineOnly;
}

QStringList KeysOfTheSameSetting(const QString& key) {
    QStringList keys = {key};
    for (const OptionRow& row : OptionRows()) {
        if (row.sameSettingAs != nullptr && key == QLatin1String(row.name)) {
            keys << QLatin1String(row.sameSettingAs);
        } else if (row.sameSettingAs != nullptr && key == QLatin1String(row.sameSettingAs)) {
            keys << QLatin1String(row.name);
        }
    }
    return keys;
}
