// --metrics-web-config: the part of the exporters' web configuration that locks the metrics
// read from YAML text in any of YAML's forms, with the exporters' defaults and names,
// everything else refused with the line that holds it, and the file read with its
// certificate paths taken from its own folder.
#include "metrics/metrics_web_config.h"
#include "common/scratch_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Made with libxcrypt's crypt() of "right-password" at cost 4 (python3 -c "import crypt; ...").
const char* const kHashB = "$2b$04$CRrnBTTLH2INjx8Cx6e/t.r7uLV4pei0TbmUQ6R2Pm7hK36QlgQSO";
const char* const kHashY = "$2y$04$abcdefghijklmnopqrstuuS80hwFD6gSIL20SCUGvmL7S939BjOHW";

// A configuration with TLS: the certificate and key, and the rest as given (the defaults
// otherwise).
MetricsWebConfig Tls(std::string cert, std::string key, ClientAuth auth = ClientAuth::NoClientCert,
                     std::string ca = "", TlsVersion min = TlsVersion::Tls12,
                     TlsVersion max = TlsVersion::Tls13) {
    MetricsWebConfig config;
    config.certFile = std::move(cert);
    config.keyFile = std::move(key);
    config.clientAuth = auth;
    config.clientCaFile = std::move(ca);
    config.minVersion = min;
    config.maxVersion = max;
    return config;
}

TEST(ParseMetricsWebConfig, ReadsTheTlsFilesAndTheUsersInTheFormsYamlAllows) {
    struct Case {
        const char* what;
        QByteArray text;
        MetricsWebConfig config;
    };
    MetricsWebConfig tlsAndUser = Tls("server's.crt", "/etc/k\"ey.pem");
    tlsAndUser.users = {{"prometheus", kHashB}};
    MetricsWebConfig flow = Tls("s.crt", "s.key", ClientAuth::RequireAndVerifyClientCert, "ca.crt");
    flow.users = {{"a", kHashB}, {"b", kHashB}};
    const Case cases[] = {
        {"empty", "", {}},
        {"comments only", "# nothing locked yet\n\n   # still nothing\n", {}},
        {"users",
         QByteArray("basic_auth_users:\n  prometheus: ") + kHashB + "\n  grafana: " + kHashY + "\n",
         {"", "", {{"prometheus", kHashB}, {"grafana", kHashY}}}},
        {"tls and users, quoted, commented, CRLF, document start",
         QByteArray("---\r\n# the lab's exporter\r\ntls_server_config:\r\n    cert_file: "
                    "'server''s.crt'   # in this folder\r\n    key_file: \"/etc/k\\\"ey.pem\"\r\n"
                    "basic_auth_users:\r\n    \"prometheus\": '") +
             kHashB + "'\r\n",
         tlsAndUser},
        {"empty sections, a byte order mark first",
         "\xEF\xBB\xBFtls_server_config: {}\nbasic_auth_users:\n",
         {}},
        {"a hash sign inside a value",
         "tls_server_config:\n  cert_file: a#b.crt\n  key_file: k\n",
         {"a#b.crt", "k", {}}},
        {"every key of tls_server_config",
         "tls_server_config:\n  cert_file: c\n  key_file: k\n  client_auth_type: "
         "VerifyClientCertIfGiven\n  client_ca_file: ca.crt\n  min_version: TLS13\n"
         "  max_version: TLS13\n",
         Tls("c", "k", ClientAuth::VerifyClientCertIfGiven, "ca.crt", TlsVersion::Tls13,
             TlsVersion::Tls13)},
        {"client certificates required but not checked, older TLS allowed",
         "tls_server_config:\n  cert_file: c\n  key_file: k\n  client_auth_type: "
         "RequireAnyClientCert\n  min_version: TLS10\n",
         Tls("c", "k", ClientAuth::RequireAnyClientCert, "", TlsVersion::Tls10)},
        {"RequireClientCert, the older name",
         "tls_server_config:\n  cert_file: c\n  key_file: k\n  client_auth_type: "
         "RequireClientCert\n",
         Tls("c", "k", ClientAuth::RequireAnyClientCert)},
        {"requested, named authorities",
         "tls_server_config:\n  cert_file: c\n  key_file: k\n  client_auth_type: "
         "RequestClientCert\n"
         "  client_ca_file: ca.crt\n",
         Tls("c", "k", ClientAuth::RequestClientCert, "ca.crt")},
        {"flow style, an anchor and its alias",
         QByteArray("{tls_server_config: {cert_file: s.crt, key_file: s.key, client_auth_type: "
                    "RequireAndVerifyClientCert, client_ca_file: ca.crt},\n"
                    " basic_auth_users: {a: &hash '") +
             kHashB + "', b: *hash}}\n",
         flow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WebConfigError error;
        const std::optional<MetricsWebConfig> config = ParseMetricsWebConfig(c.text, error);
        ASSERT_TRUE(config.has_value()) << error.line << ": " << error.text.toStdString();
        EXPECT_EQ(*config, c.config);
    }
}

TEST(ParseMetricsWebConfig, RefusesWhatItDoesNotReadWithTheLineThatHoldsIt) {
    const QByteArray users = QByteArray("basic_auth_users:\n  a: ") + kHashB + "\n";
    const QByteArray tls = "tls_server_config:\n  cert_file: c\n  key_file: k\n";
    const std::tuple<QByteArray, int, const char*> cases[] = {
        {"http_server_config:\n  http2: false\n", 1,
         "nieobsługiwany klucz http_server_config (obsługiwane: tls_server_config, "
         "basic_auth_users)"},
        {tls + "  cipher_suites: [TLS_AES_128_GCM_SHA256]\n", 4,
         "tls_server_config: nieobsługiwany klucz cipher_suites (obsługiwane: cert_file, "
         "key_file, client_auth_type, client_ca_file, min_version, max_version)"},
        {"tls_server_config:\n  cert_file: c\n", 1,
         "tls_server_config wymaga cert_file i key_file"},
        // yaml-cpp takes a quote left open as running to the end of the text.
        {"tls_server_config:\n  cert_file: 'c\n  key_file: k\n", 1,
         "tls_server_config wymaga cert_file i key_file"},
        {"tls_server_config:\n  client_auth_type: RequireAnyClientCert\n", 1,
         "tls_server_config wymaga cert_file i key_file"},
        {tls + "  client_auth_type: RequireAndVerifyClientCert\n", 1,
         "tls_server_config: client_auth_type RequireAndVerifyClientCert wymaga client_ca_file"},
        {tls + "  client_auth_type: VerifyClientCertIfGiven\n", 1,
         "tls_server_config: client_auth_type VerifyClientCertIfGiven wymaga client_ca_file"},
        {tls + "  client_ca_file: ca.crt\n", 1,
         "tls_server_config: client_ca_file bez client_auth_type"},
        {tls + "  client_auth_type: requireandverifyclientcert\n", 4,
         "tls_server_config: nieznany client_auth_type requireandverifyclientcert (znane: "
         "NoClientCert, RequestClientCert, RequireAnyClientCert, VerifyClientCertIfGiven, "
         "RequireAndVerifyClientCert)"},
        {tls + "  min_version: TLS1.2\n", 4,
         "tls_server_config: nieznana wersja TLS1.2 w min_version (znane: TLS10, TLS11, TLS12, "
         "TLS13)"},
        {tls + "  min_version: TLS13\n  max_version: TLS12\n", 1,
         "tls_server_config: min_version wyższa niż max_version"},
        {tls + "  key_file: k2\n", 4, "klucz key_file po raz drugi"},
        {"tls_server_config:\n  cert_file: [a, b]\n  key_file: k\n", 2,
         "cert_file: oczekiwano jednej wartości, a nie listy ani mapy"},
        {"basic_auth_users:\n  a: plain-text-password\n", 2,
         "basic_auth_users: hasło użytkownika a nie jest skrótem bcrypt ($2b$…, $2y$…)"},
        {"basic_auth_users:\n  a: $2b$03$CRrnBTTLH2INjx8Cx6e/t.r7uLV4pei0TbmUQ6R2Pm7hK36QlgQSO\n",
         2, "basic_auth_users: hasło użytkownika a nie jest skrótem bcrypt ($2b$…, $2y$…)"},
        {"basic_auth_users:\n  a: $6$salt$hash\n", 2,
         "basic_auth_users: hasło użytkownika a nie jest skrótem bcrypt ($2b$…, $2y$…)"},
        {users + "  a: " + kHashY + "\n", 3, "klucz a po raz drugi"},
        {users + users, 3, "klucz basic_auth_users po raz drugi"},
        {"basic_auth_users:\n  a:\n", 2, "a: brak wartości"},
        {"basic_auth_users:\n  a: ~\n", 2, "a: brak wartości"},
        {"  cert_file: c\n", 1,
         "nieobsługiwany klucz cert_file (obsługiwane: tls_server_config, basic_auth_users)"},
        {"basic_auth_users: [a, b]\n", 1, "basic_auth_users: oczekiwano par \"klucz: wartość\""},
        {"basic_auth_users: a\n", 1, "basic_auth_users: oczekiwano par \"klucz: wartość\""},
        {"basic_auth_users:\n  - a\n", 2, "basic_auth_users: oczekiwano par \"klucz: wartość\""},
        {"- basic_auth_users\n", 1, "oczekiwano par \"klucz: wartość\""},
        {"? [a]\n: b\n", 1, "klucz nie jest tekstem"},
    };
    for (const auto& [text, line, said] : cases) {
        SCOPED_TRACE(text.toStdString());
        WebConfigError error;
        EXPECT_EQ(ParseMetricsWebConfig(text, error), std::nullopt);
        EXPECT_EQ(error.line, line);
        EXPECT_EQ(error.text, QString(said));
    }
}

// What is not YAML at all: yaml-cpp's own words after the program's, at the line where it
// stopped.
TEST(ParseMetricsWebConfig, RefusesWhatIsNotYamlAtTheLineWhereItStops) {
    const QByteArray users = QByteArray("basic_auth_users:\n  a: ") + kHashB + "\n";
    const std::pair<QByteArray, int> cases[] = {
        {users + "    c: d\n", 3},
        {"basic_auth_users:\n\ta: b\n", 2},
        {"tls_server_config:\n  cert_file: 'c' x\n", 2},
        {"tls_server_config:\n  cert_file: *anchor\n", 2},
        {"basic_auth_users: {a: b\n", 2},
    };
    for (const auto& [text, line] : cases) {
        SCOPED_TRACE(text.toStdString());
        WebConfigError error;
        EXPECT_EQ(ParseMetricsWebConfig(text, error), std::nullopt);
        EXPECT_EQ(error.line, line);
        EXPECT_TRUE(error.text.startsWith("to nie jest poprawny YAML: "))
            << error.text.toStdString();
        EXPECT_GT(error.text.size(), QString("to nie jest poprawny YAML: ").size());
    }
}

using LoadMetricsWebConfigTest = ScratchFilesTest;

TEST_F(LoadMetricsWebConfigTest, TakesCertificatePathsFromTheFilesFolder) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("tls"));
    File("tls/server.crt", "PEM");
    File("tls/clients.crt", "PEM");
    const QString key = File("server.key", "PEM");
    const QString path = File("web.yml",
                              "tls_server_config:\n  cert_file: tls/server.crt\n"
                              "  client_auth_type: RequireAndVerifyClientCert\n"
                              "  client_ca_file: tls/clients.crt\n"
                              "  key_file: " +
                                  key.toUtf8() + "\n");
    QString error;
    const std::optional<MetricsWebConfig> config = LoadMetricsWebConfig(path, error);
    ASSERT_TRUE(config.has_value()) << error.toStdString();
    EXPECT_EQ(config->certFile, dir_.filePath("tls/server.crt").toStdString());
    EXPECT_EQ(config->keyFile, key.toStdString());
    EXPECT_EQ(config->clientCaFile, dir_.filePath("tls/clients.crt").toStdString());
}

TEST_F(LoadMetricsWebConfigTest, NamesTheFileAndTheLineOfWhatIsWrong) {
    const QString bad = File("bad.yml", "# users\nbasic_auth_users:\n  a: secret\n");
    const QString noKey = File("nokey.yml",
                               "tls_server_config:\n  cert_file: c.crt\n"
                               "  key_file: missing.key\n");
    File("c.crt", "PEM");
    File("k.key", "PEM");
    const QString noAuthorities =
        File("noca.yml",
             "tls_server_config:\n  cert_file: c.crt\n  key_file: k.key\n"
             "  client_auth_type: VerifyClientCertIfGiven\n  client_ca_file: ca.crt\n");
    const QString missing = dir_.filePath("missing.yml");
    const std::pair<QString, QString> cases[] = {
        {bad, bad + ", wiersz 3: basic_auth_users: hasło użytkownika a nie jest skrótem bcrypt "
                    "($2b$…, $2y$…)"},
        {noKey, noKey + ": nie można czytać pliku " + dir_.filePath("missing.key")},
        {noAuthorities, noAuthorities + ": nie można czytać pliku " + dir_.filePath("ca.crt")},
        {missing,
         "--metrics-web-config: nie można czytać pliku " + missing + ": No such file or directory"},
    };
    for (const auto& [path, said] : cases) {
        SCOPED_TRACE(path.toStdString());
        QString error;
        EXPECT_EQ(LoadMetricsWebConfig(path, error), std::nullopt);
        EXPECT_EQ(error, said);
    }
}

}  // namespace
