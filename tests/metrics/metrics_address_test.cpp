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

TEST(ParseMetricsAddress, RefusesWhatIsNotAnAddressAndAPort) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "--metrics needs a port number from 0 to 65535, not \"\""},
        {"metrics", "--metrics needs a port number from 0 to 65535, not \"metrics\""},
        {"65536", "--metrics needs a port number from 0 to 65535, not \"65536\""},
        {"-1", "--metrics needs a port number from 0 to 65535, not \"-1\""},
        {"+80", "--metrics needs a port number from 0 to 65535, not \"+80\""},
        {"91 01", "--metrics needs a port number from 0 to 65535, not \"91 01\""},
        {"127.0.0.1:", "--metrics needs a port number from 0 to 65535, not \"127.0.0.1:\""},
        {"[::1]:x", "--metrics needs a port number from 0 to 65535, not \"[::1]:x\""},
        {"localhost:9101",
         "--metrics needs [ADDRESS:]PORT with a numeric address such as 0.0.0.0 or [::1], not "
         "\"localhost:9101\""},
        {"1.2.3:9101",
         "--metrics needs [ADDRESS:]PORT with a numeric address such as 0.0.0.0 or [::1], not "
         "\"1.2.3:9101\""},
        {":9101",
         "--metrics needs [ADDRESS:]PORT with a numeric address such as 0.0.0.0 or [::1], not "
         "\":9101\""},
        {"::1:9101",
         "--metrics needs [ADDRESS:]PORT with a numeric address such as 0.0.0.0 or [::1], not "
         "\"::1:9101\""},
        {"[::1]9101",
         "--metrics needs [ADDRESS:]PORT with an IPv6 address as [::1]:PORT, not \"[::1]9101\""},
        {"[nope]:9101",
         "--metrics needs [ADDRESS:]PORT with an IPv6 address as [::1]:PORT, not "
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
