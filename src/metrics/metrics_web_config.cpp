#include "metrics/metrics_web_config.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// A web configuration is a few lines; anything much larger is not one.
constexpr qint64 kLargestFile = 64 * 1024;

enum class Section { None, Tls, Users };

// One line's key and value, comments gone.
struct Entry {
    QString key;
    QString value;
    bool valueQuoted = false;
};

// The text of a quoted scalar starting at `text[at]`, `at` moved past its closing quote;
// nullopt when it does not close.
std::optional<QString> Quoted(const QString& text, qsizetype& at) {
    const QChar quote = text[at];
    QString value;
    for (qsizetype i = at + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quote == '\'' && c == '\'') {
            if (i + 1 < text.size() && text[i + 1] == '\'') {
                value += '\'';
                ++i;
                continue;
            }
            at = i + 1;
            return value;
        }
        if (quote == '"' && c == '\\' && i + 1 < text.size()) {
            value += text[++i];  // \" and \\ ; nothing else is needed for paths and hashes
            continue;
        }
        if (quote == '"' && c == '"') {
            at = i + 1;
            return value;
        }
        value += c;
    }
    return std::nullopt;
}

// What remains of `rest` once a comment is cut off (a '#' at its start or after a blank).
QString WithoutComment(const QString& rest) {
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest[i] == '#' && (i == 0 || rest[i - 1] == ' ' || rest[i - 1] == '\t')) {
            return rest.left(i);
        }
    }
    return rest;
}

// "key: value" or "key:"; nullopt with `problem` set otherwise.
std::optional<Entry> ParseEntry(const QString& content, QString& problem) {
    Entry entry;
    qsizetype at = 0;
    if (content[0] == '\'' || content[0] == '"') {
        const std::optional<QString> key = Quoted(content, at);
        if (!key) {
            problem = QCoreApplication::translate("MetricsWebConfig", "cudzysłów bez końca");
            return std::nullopt;
        }
        entry.key = *key;
        if (at >= content.size() || content[at] != ':') {
            problem = QCoreApplication::translate("MetricsWebConfig", "po kluczu brak dwukropka");
            return std::nullopt;
        }
    } else {
        at = content.indexOf(QLatin1String(": "));
        if (at < 0 && content.endsWith(':')) {
            at = content.size() - 1;
        }
        if (at <= 0) {
            problem =
                QCoreApplication::translate("MetricsWebConfig", "oczekiwano \"klucz: wartość\"");
            return std::nullopt;
        }
        entry.key = content.left(at).trimmed();
    }
    const QString rest = content.mid(at + 1).trimmed();
    if (rest.startsWith('\'') || rest.startsWith('"')) {
        qsizetype end = 0;
        const std::optional<QString> value = Quoted(rest, end);
        if (!value) {
            problem = QCoreApplication::translate("MetricsWebConfig", "cudzysłów bez końca");
            return std::nullopt;
        }
        if (!WithoutComment(rest.mid(end)).trimmed().isEmpty()) {
            problem =
                QCoreApplication::translate("MetricsWebConfig", "coś po wartości w cudzysłowie");
            return std::nullopt;
        }
        entry.value = *value;
        entry.valueQuoted = true;
        return entry;
    }
    entry.value = WithoutComment(rest).trimmed();
    if (entry.value == "~" || entry.value == "null") {
        entry.value.clear();
    }
    static const QRegularExpression unsupported(QStringLiteral("^[\\[{&*!|>%@`]"));
    if (entry.value != "{}" && unsupported.match(entry.value).hasMatch()) {
        problem = QCoreApplication::translate("MetricsWebConfig",
                                              "ta forma YAML nie jest obsługiwana: %1")
                      .arg(entry.value);
        return std::nullopt;
    }
    return entry;
}

bool IsBcrypt(const QString& hash) {
    static const QRegularExpression bcrypt(
        QStringLiteral("^\\$2[aby]\\$(0[4-9]|[12][0-9]|3[01])\\$[./A-Za-z0-9]{53}$"));
    return bcrypt.match(hash).hasMatch();
}

}  // namespace

std::optional<MetricsWebConfig> ParseMetricsWebConfig(const QByteArray& text,
                                                      WebConfigError& error) {
    MetricsWebConfig config;
    Section section = Section::None;
    int sectionIndent = -1;  // of the section's keys, once its first is read
    int tlsLine = 0;
    QStringList keysSeen;     // of the top level
    QStringList sectionKeys;  // of the section being read
    // A byte order mark, as some editors write it, is no part of the first key.
    const QByteArray body = text.startsWith("\xEF\xBB\xBF") ? text.mid(3) : text;
    const QList<QByteArray> lines = body.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        auto fail = [&](const QString& why) {
            error = {number, why};
            return std::nullopt;
        };
        QString line = QString::fromUtf8(lines[i]);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        qsizetype indent = 0;
        while (indent < line.size() && (line[indent] == ' ' || line[indent] == '\t')) {
            if (line[indent] == '\t') {
                return fail(QCoreApplication::translate(
                    "MetricsWebConfig", "tabulator we wcięciu (YAML wcina spacjami)"));
            }
            ++indent;
        }
        // Comments after a value are cut with the value, where quotes are known.
        const QString content = line.mid(indent).trimmed();
        if (content.isEmpty() || content.startsWith('#') ||
            (indent == 0 && content == "---" && keysSeen.isEmpty())) {
            continue;
        }
        QString problem;
        const std::optional<Entry> entry = ParseEntry(content, problem);
        if (!entry) {
            return fail(problem);
        }
        if (indent == 0) {
            if (keysSeen.contains(entry->key)) {
                return fail(QCoreApplication::translate("MetricsWebConfig", "klucz %1 po raz drugi")
                                .arg(entry->key));
            }
            keysSeen << entry->key;
            if (entry->key == "tls_server_config") {
                section = Section::Tls;
                tlsLine = number;
            } else if (entry->key == "basic_auth_users") {
                section = Section::Users;
            } else {
                return fail(QCoreApplication::translate(
                                "MetricsWebConfig",
                                "nieobsługiwany klucz %1 (obsługiwane: tls_server_config, "
                                "basic_auth_users)")
                                .arg(entry->key));
            }
            if (!entry->value.isEmpty() && entry->value != "{}") {
                return fail(
                    QCoreApplication::translate(
                        "MetricsWebConfig", "%1: wartości podaje się w wierszach poniżej, wcięte")
                        .arg(entry->key));
            }
            sectionIndent = -1;
            sectionKeys.clear();
            continue;
        }
        if (section == Section::None) {
            return fail(QCoreApplication::translate(
                "MetricsWebConfig", "wcięty wiersz poza tls_server_config i basic_auth_users"));
        }
        if (sectionIndent < 0) {
            sectionIndent = static_cast<int>(indent);
        } else if (indent != sectionIndent) {
            return fail(QCoreApplication::translate("MetricsWebConfig",
                                                    "wcięcie inne niż w wierszach wyżej"));
        }
        if (sectionKeys.contains(entry->key)) {
            return fail(QCoreApplication::translate("MetricsWebConfig", "klucz %1 po raz drugi")
                            .arg(entry->key));
        }
        sectionKeys << entry->key;
        if (entry->value.isEmpty() || (entry->value == "{}" && !entry->valueQuoted)) {
            return fail(QCoreApplication::translate("MetricsWebConfig", "%1: brak wartości")
                            .arg(entry->key));
        }
        if (section == Section::Tls) {
            if (entry->key == "cert_file") {
                config.certFile = entry->value.toStdString();
            } else if (entry->key == "key_file") {
                config.keyFile = entry->value.toStdString();
            } else {
                return fail(QCoreApplication::translate(
                                "MetricsWebConfig",
                                "tls_server_config: nieobsługiwany klucz %1 (obsługiwane: "
                                "cert_file, key_file)")
                                .arg(entry->key));
            }
        } else {
            if (!IsBcrypt(entry->value)) {
                return fail(QCoreApplication::translate(
                                "MetricsWebConfig",
                                "basic_auth_users: hasło użytkownika %1 nie jest skrótem bcrypt "
                                "($2b$…, $2y$…)")
                                .arg(entry->key));
            }
            config.users.push_back({entry->key.toStdString(), entry->value.toStdString()});
        }
    }
    // An empty tls_server_config asks for nothing, as the exporters read it.
    if (tlsLine != 0 && config.certFile.empty() != config.keyFile.empty()) {
        error = {tlsLine, QCoreApplication::translate(
                              "MetricsWebConfig", "tls_server_config wymaga cert_file i key_file")};
        return std::nullopt;
    }
    return config;
}

std::optional<MetricsWebConfig> LoadMetricsWebConfig(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QCoreApplication::translate("MetricsWebConfig",
                                            "--metrics-web-config: nie można czytać pliku %1: %2")
                    .arg(path, file.errorString());
        return std::nullopt;
    }
    if (file.size() > kLargestFile) {
        error =
            QCoreApplication::translate(
                "MetricsWebConfig", "--metrics-web-config: plik %1 jest za duży na konfigurację")
                .arg(path);
        return std::nullopt;
    }
    WebConfigError problem;
    std::optional<MetricsWebConfig> config =
        ParseMetricsWebConfig(file.read(kLargestFile), problem);
    if (!config) {
        error =
            problem.line > 0
                ? QCoreApplication::translate("MetricsWebConfig", "%1, wiersz %2: %3")
                      .arg(path, QString::number(problem.line), problem.text)
                : QCoreApplication::translate("MetricsWebConfig", "%1: %2").arg(path, problem.text);
        return std::nullopt;
    }
    const QDir folder = QFileInfo(path).absoluteDir();
    for (std::string* named : {&config->certFile, &config->keyFile}) {
        if (named->empty()) {
            continue;
        }
        *named = folder.filePath(QString::fromStdString(*named)).toStdString();
        const QFileInfo info(QString::fromStdString(*named));
        if (!info.isFile() || !info.isReadable()) {
            error = QCoreApplication::translate("MetricsWebConfig", "%1: nie można czytać pliku %2")
                        .arg(path, info.filePath());
            return std::nullopt;
        }
    }
    return config;
}
