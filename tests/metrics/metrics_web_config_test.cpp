// --metrics-web-config: the part of the exporters' web configuration that locks the metrics
// read from YAML text, everything else refused with the line that holds it, and the file
// read with its certificate paths taken from its own folder.
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

TEST(ParseMetricsWebConfig, ReadsTheTlsFilesAndTheUsersInTheFormsYamlAllows) {
    struct Case {
        const char* what;
        QByteArray text;
        MetricsWebConfig config;
    };
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
         {"server's.crt", "/etc/k\"ey.pem", {{"prometheus", kHashB}}}},
        {"empty sections, a byte order mark first",
         "\xEF\xBB\xBFtls_server_config: {}\nbasic_auth_users:\n",
         {}},
        {"a hash sign inside a value",
         "tls_server_config:\n  cert_file: a#b.crt\n  key_file: k\n",
         {"a#b.crt", "k", {}}},
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
    const std::tuple<QByteArray, int, const char*> cases[] = {
        {"http_server_config:\n  http2: false\n", 1,
         "nieobsługiwany klucz http_server_config (obsługiwane: tls_server_config, "
         "basic_auth_users)"},
        {"tls_server_config:\n  cert_file: c\n  key_file: k\n  client_auth_type: "
         "RequireAndVerifyClientCert\n",
         4,
         "tls_server_config: nieobsługiwany klucz client_auth_type (obsługiwane: cert_file, "
         "key_file)"},
        {"tls_server_config:\n  cert_file: c\n", 1,
         "tls_server_config wymaga cert_file i key_file"},
        {"basic_auth_users:\n  a: plain-text-password\n", 2,
         "basic_auth_users: hasło użytkownika a nie jest skrótem bcrypt ($2b$…, $2y$…)"},
        {"basic_auth_users:\n  a: $2b$03$CRrnBTTLH2INjx8Cx6e/t.r7uLV4pei0TbmUQ6R2Pm7hK36QlgQSO\n",
         2, "basic_auth_users: hasło użytkownika a nie jest skrótem bcrypt ($2b$…, $2y$…)"},
        {"basic_auth_users:\n  a: $6$salt$hash\n", 2,
         "basic_auth_users: hasło użytkownika a nie jest skrótem bcrypt ($2b$…, $2y$…)"},
        {users + "  a: " + kHashY + "\n", 3, "klucz a po raz drugi"},
        {users + users, 3, "klucz basic_auth_users po raz drugi"},
        {"basic_auth_users:\n  a:\n", 2, "a: brak wartości"},
        {users + "    c: d\n", 3, "wcięcie inne niż w wierszach wyżej"},
        {"basic_auth_users:\n\ta: b\n", 2, "tabulator we wcięciu (YAML wcina spacjami)"},
        {"  cert_file: c\n", 1, "wcięty wiersz poza tls_server_config i basic_auth_users"},
        {"basic_auth_users: [a, b]\n", 1, "ta forma YAML nie jest obsługiwana: [a, b]"},
        {"basic_auth_users: a\n", 1,
         "basic_auth_users: wartości podaje się w wierszach poniżej, "
         "wcięte"},
        {"basic_auth_users:\n  - a\n", 2, "oczekiwano \"klucz: wartość\""},
        {"tls_server_config:\n  cert_file: 'c\n", 2, "cudzysłów bez końca"},
        {"tls_server_config:\n  cert_file: 'c' x\n", 2, "coś po wartości w cudzysłowie"},
        {"tls_server_config:\n  cert_file: *anchor\n", 2,
         "ta forma YAML nie jest obsługiwana: *anchor"},
    };
    for (const auto& [text, line, said] : cases) {
        SCOPED_TRACE(text.toStdString());
        WebConfigError error;
        EXPECT_EQ(ParseMetricsWebConfig(text, error), std::nullopt);
        EXPECT_EQ(error.line, line);
        EXPECT_EQ(error.text, QString(said));
    }
}

using LoadMetricsWebConfigTest = ScratchFilesTest;

TEST_F(LoadMetricsWebConfigTest, TakesCertificatePathsFromTheFilesFolder) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("tls"));
    File("tls/server.crt", "PEM");
    const QString key = File("server.key", "PEM");
    const QString path = File("web.yml",
                              "tls_server_config:\n  cert_file: tls/server.crt\n"
                              "  key_file: " +
                                  key.toUtf8() + "\n");
    QString error;
    const std::optional<MetricsWebConfig> config = LoadMetricsWebConfig(path, error);
    ASSERT_TRUE(config.has_value()) << error.toStdString();
    EXPECT_EQ(config->certFile, dir_.filePath("tls/server.crt").toStdString());
    EXPECT_EQ(config->keyFile, key.toStdString());
}

TEST_F(LoadMetricsWebConfigTest, NamesTheFileAndTheLineOfWhatIsWrong) {
    const QString bad = File("bad.yml", "# users\nbasic_auth_users:\n  a: secret\n");
    const QString noKey = File("nokey.yml",
                               "tls_server_config:\n  cert_file: c.crt\n"
                               "  key_file: missing.key\n");
    File("c.crt", "PEM");
    const QString missing = dir_.filePath("missing.yml");
    const std::pair<QString, QString> cases[] = {
        {bad, bad + ", wiersz 3: basic_auth_users: hasło użytkownika a nie jest skrótem bcrypt "
                    "($2b$…, $2y$…)"},
        {noKey, noKey + ": nie można czytać pliku " + dir_.filePath("missing.key")},
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
