// Where --metrics serves: the address and port read from "[ADDRESS:]PORT", loopback unless
// another address is asked for, and bad text refused with a message that says why.
#include "metrics/metrics_address.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseMetricsAddress, ReadsThePortAndTheAddressLoopbackWhenLeftOut) {
    struct Case {
        const char* text;
        const char* host;
        std::uint16_t port;
        const char* url;
    };
    const Case cases[] = {
        {"9101", "127.0.0.1", 9101, "http://127.0.0.1:9101/metrics"},
        {"0", "127.0.0.1", 0, "http://127.0.0.1:0/metrics"},
        {"65535", "127.0.0.1", 65535, "http://127.0.0.1:65535/metrics"},
        {"0.0.0.0:9101", "0.0.0.0", 9101, "http://0.0.0.0:9101/metrics"},
        {"192.168.1.20:80", "192.168.1.20", 80, "http://192.168.1.20:80/metrics"},
        {"[::1]:9101", "::1", 9101, "http://[::1]:9101/metrics"},
        {"[::]:9101", "::", 9101, "http://[::]:9101/metrics"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString error;
        const std::optional<MetricsAddress> address = ParseMetricsAddress(c.text, error);
        ASSERT_TRUE(address.has_value()) << error.toStdString();
        EXPECT_EQ(error, QString());
        EXPECT_EQ(address->host, c.host);
        EXPECT_EQ(address->port, c.port);
        EXPECT_EQ(MetricsUrl(*address, address->port), QString::fromUtf8(c.url));
    }
}

// Said in the program's language; here, without a translation, the Polish program's.
TEST(ParseMetricsAddress, RefusesWhatIsNotAnAddressAndAPort) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "--metrics wymaga numeru portu od 0 do 65535, a nie \"\""},
        {"metrics", "--metrics wymaga numeru portu od 0 do 65535, a nie \"metrics\""},
        {"65536", "--metrics wymaga numeru portu od 0 do 65535, a nie \"65536\""},
        {"-1", "--metrics wymaga numeru portu od 0 do 65535, a nie \"-1\""},
        {"+80", "--metrics wymaga numeru portu od 0 do 65535, a nie \"+80\""},
        {"91 01", "--metrics wymaga numeru portu od 0 do 65535, a nie \"91 01\""},
        {"127.0.0.1:", "--metrics wymaga numeru portu od 0 do 65535, a nie \"127.0.0.1:\""},
        {"[::1]:x", "--metrics wymaga numeru portu od 0 do 65535, a nie \"[::1]:x\""},
        {"localhost:9101",
         "--metrics wymaga [ADRES:]PORT z adresem liczbowym, np. 0.0.0.0 lub [::1], a nie "
         "\"localhost:9101\""},
        {"1.2.3:9101",
         "--metrics wymaga [ADRES:]PORT z adresem liczbowym, np. 0.0.0.0 lub [::1], a nie "
         "\"1.2.3:9101\""},
        {":9101",
         "--metrics wymaga [ADRES:]PORT z adresem liczbowym, np. 0.0.0.0 lub [::1], a nie "
         "\":9101\""},
        {"::1:9101",
         "--metrics wymaga [ADRES:]PORT z adresem liczbowym, np. 0.0.0.0 lub [::1], a nie "
         "\"::1:9101\""},
        {"[::1]9101",
         "--metrics wymaga [ADRES:]PORT z adresem IPv6 w postaci [::1]:PORT, a nie "
         "\"[::1]9101\""},
        {"[nope]:9101",
         "--metrics wymaga [ADRES:]PORT z adresem IPv6 w postaci [::1]:PORT, a nie "
         "\"[nope]:9101\""},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        QString error;
        EXPECT_EQ(ParseMetricsAddress(text, error), std::nullopt);
        EXPECT_EQ(error, QString::fromUtf8(message));
    }
}

}  // namespace
