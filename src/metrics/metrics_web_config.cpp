#include "metrics/metrics_web_config.h"

#include <yaml-cpp/yaml.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace {

// A web configuration is a few lines; anything much larger is not one.
constexpr qint64 kLargestFile = 64 * 1024;

// Where yaml-cpp found `node`: its line from 1.
int LineOf(const YAML::Node& node) {
    return node.Mark().line + 1;
}

// A failure at a node's line, thrown out of the walk over the document.
struct Refusal {
    int line;
    QString text;
};

[[noreturn]] void Refuse(const YAML::Node& at, const QString& text) {
    throw Refusal{LineOf(at), text};
}

// One key of a mapping: its node (for the line), its text and its value.
struct Entry {
    YAML::Node keyNode;
    QString key;
    YAML::Node value;
};

// The mapping's entries in the file's order; a key given twice is refused, as the exporters
// refuse it. Null (nothing written) is an empty mapping. `what`: the mapping's own key.
std::vector<Entry> Entries(const YAML::Node& map, const QString& what) {
    std::vector<Entry> entries;
    if (map.IsNull()) {
        return entries;
    }
    if (!map.IsMap()) {
        Refuse(map, what.isEmpty()
                        ? QCoreApplication::translate("MetricsWebConfig",
                                                      "oczekiwano par \"klucz: wartość\"")
                        : QCoreApplication::translate("MetricsWebConfig",
                                                      "%1: oczekiwano par \"klucz: wartość\"")
                              .arg(what));
    }
    QStringList seen;
    for (const auto& pair : map) {
        if (!pair.first.IsScalar()) {
            Refuse(pair.first,
                   QCoreApplication::translate("MetricsWebConfig", "klucz nie jest tekstem"));
        }
        const QString key = QString::fromStdString(pair.first.Scalar());
        if (seen.contains(key)) {
            Refuse(
                pair.first,
                QCoreApplication::translate("MetricsWebConfig", "klucz %1 po raz drugi").arg(key));
        }
        seen << key;
        entries.push_back({pair.first, key, pair.second});
    }
    return entries;
}

// The text of a key's value; a missing one, or a list or mapping, is refused at the key.
QString Text(const YAML::Node& key, const QString& name, const YAML::Node& value) {
    if (!value.IsDefined() || value.IsNull()) {
        Refuse(key, QCoreApplication::translate("MetricsWebConfig", "%1: brak wartości").arg(name));
    }
    if (!value.IsScalar()) {
        Refuse(key, QCoreApplication::translate(
                        "MetricsWebConfig", "%1: oczekiwano jednej wartości, a nie listy ani mapy")
                        .arg(name));
    }
    return QString::fromStdString(value.Scalar());
}

bool IsBcrypt(const QString& hash) {
    static const QRegularExpression bcrypt(
        QStringLiteral("^\\$2[aby]\\$(0[4-9]|[12][0-9]|3[01])\\$[./A-Za-z0-9]{53}$"));
    return bcrypt.match(hash).hasMatch();
}

template <typename Value, std::size_t N>
std::optional<Value> Named(const std::array<std::pair<const char*, Value>, N>& names,
                           const QString& text) {
    for (const auto& [name, value] : names) {
        if (text == QLatin1String(name)) {
            return value;
        }
    }
    return std::nullopt;
}

constexpr std::array<std::pair<const char*, ClientAuth>, 6> kClientAuths = {{
    {"NoClientCert", ClientAuth::NoClientCert},
    {"RequestClientCert", ClientAuth::RequestClientCert},
    {"RequireAnyClientCert", ClientAuth::RequireAnyClientCert},
    {"RequireClientCert", ClientAuth::RequireAnyClientCert},  // its older name
    {"VerifyClientCertIfGiven", ClientAuth::VerifyClientCertIfGiven},
    {"RequireAndVerifyClientCert", ClientAuth::RequireAndVerifyClientCert},
}};

constexpr std::array<std::pair<const char*, TlsVersion>, 4> kVersions = {{
    {"TLS10", TlsVersion::Tls10},
    {"TLS11", TlsVersion::Tls11},
    {"TLS12", TlsVersion::Tls12},
    {"TLS13", TlsVersion::Tls13},
}};

void ReadTls(const YAML::Node& tlsKey, const YAML::Node& tls, MetricsWebConfig& config) {
    bool clientAuthGiven = false;
    static const QStringList kKeys = {"cert_file",      "key_file",    "client_auth_type",
                                      "client_ca_file", "min_version", "max_version"};
    for (const auto& [keyNode, key, value] : Entries(tls, "tls_server_config")) {
        if (!kKeys.contains(key)) {
            Refuse(keyNode, QCoreApplication::translate(
                                "MetricsWebConfig",
                                "tls_server_config: nieobsługiwany klucz %1 (obsługiwane: "
                                "cert_file, key_file, client_auth_type, client_ca_file, "
                                "min_version, max_version)")
                                .arg(key));
        }
        const QString text = Text(keyNode, key, value);
        if (key == "cert_file") {
            config.certFile = text.toStdString();
        } else if (key == "key_file") {
            config.keyFile = text.toStdString();
        } else if (key == "client_ca_file") {
            config.clientCaFile = text.toStdString();
        } else if (key == "client_auth_type") {
            const std::optional<ClientAuth> auth = Named(kClientAuths, text);
            if (!auth) {
                Refuse(keyNode, QCoreApplication::translate(
                                    "MetricsWebConfig",
                                    "tls_server_config: nieznany client_auth_type %1 (znane: "
                                    "NoClientCert, RequestClientCert, RequireAnyClientCert, "
                                    "VerifyClientCertIfGiven, RequireAndVerifyClientCert)")
                                    .arg(text));
            }
            config.clientAuth = *auth;
            clientAuthGiven = true;
        } else if (key == "min_version" || key == "max_version") {
            const std::optional<TlsVersion> version = Named(kVersions, text);
            if (!version) {
                Refuse(keyNode, QCoreApplication::translate(
                                    "MetricsWebConfig",
                                    "tls_server_config: nieznana wersja %1 w %2 (znane: TLS10, "
                                    "TLS11, TLS12, TLS13)")
                                    .arg(text, key));
            }
            (key == "min_version" ? config.minVersion : config.maxVersion) = *version;
        }
    }
    // Nothing that asks for TLS: none, as the exporters read it.
    if (config.certFile.empty() && config.keyFile.empty() && config.clientCaFile.empty() &&
        !clientAuthGiven) {
        return;
    }
    if (config.certFile.empty() || config.keyFile.empty()) {
        Refuse(tlsKey, QCoreApplication::translate(
                           "MetricsWebConfig", "tls_server_config wymaga cert_file i key_file"));
    }
    const bool verifies = config.clientAuth == ClientAuth::VerifyClientCertIfGiven ||
                          config.clientAuth == ClientAuth::RequireAndVerifyClientCert;
    if (verifies && config.clientCaFile.empty()) {
        Refuse(tlsKey, QCoreApplication::translate(
                           "MetricsWebConfig",
                           "tls_server_config: client_auth_type %1 wymaga client_ca_file")
                           .arg(config.clientAuth == ClientAuth::VerifyClientCertIfGiven
                                    ? "VerifyClientCertIfGiven"
                                    : "RequireAndVerifyClientCert"));
    }
    if (!config.clientCaFile.empty() && config.clientAuth == ClientAuth::NoClientCert) {
        Refuse(tlsKey,
               QCoreApplication::translate(
                   "MetricsWebConfig", "tls_server_config: client_ca_file bez client_auth_type"));
    }
    if (config.minVersion > config.maxVersion) {
        Refuse(tlsKey,
               QCoreApplication::translate(
                   "MetricsWebConfig", "tls_server_config: min_version wyższa niż max_version"));
    }
}

void ReadUsers(const YAML::Node& users, MetricsWebConfig& config) {
    for (const auto& [keyNode, name, value] : Entries(users, "basic_auth_users")) {
        const QString hash = Text(keyNode, name, value);
        if (!IsBcrypt(hash)) {
            Refuse(keyNode, QCoreApplication::translate("MetricsWebConfig",
                                                        "basic_auth_users: hasło użytkownika %1 "
                                                        "nie jest skrótem bcrypt ($2b$…, $2y$…)")
                                .arg(name));
        }
        config.users.push_back({name.toStdString(), hash.toStdString()});
    }
}

}  // namespace

std::optional<MetricsWebConfig> ParseMetricsWebConfig(const QByteArray& text,
                                                      WebConfigError& error) {
    MetricsWebConfig config;
    try {
        const YAML::Node document = YAML::Load(text.toStdString());
        for (const auto& [keyNode, key, value] : Entries(document, QString())) {
            if (key == "tls_server_config") {
                ReadTls(keyNode, value, config);
            } else if (key == "basic_auth_users") {
                ReadUsers(value, config);
            } else {
                Refuse(keyNode, QCoreApplication::translate(
                                    "MetricsWebConfig",
                                    "nieobsługiwany klucz %1 (obsługiwane: tls_server_config, "
                                    "basic_auth_users)")
                                    .arg(key));
            }
        }
    } catch (const Refusal& refusal) {
        error = {refusal.line, refusal.text};
        return std::nullopt;
    } catch (const YAML::Exception& e) {
        // yaml-cpp's own words for what is not YAML, at the line it stopped.
        error = {e.mark.is_null() ? 0 : e.mark.line + 1,
                 QCoreApplication::translate("MetricsWebConfig", "to nie jest poprawny YAML: %1")
                     .arg(QString::fromStdString(e.msg))};
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
    for (std::string* named : {&config->certFile, &config->keyFile, &config->clientCaFile}) {
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
