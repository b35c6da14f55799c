// Where --mqtt publishes: the broker and the topic prefix read from
// "mqtt://HOST[:PORT]/PREFIX" or "mqtts://HOST[:PORT]/PREFIX", the topics under it, and bad text
// refused with a message that says why.
#include "mqtt/mqtt_address.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseMqttAddress, ReadsTheBrokerAndThePrefixWithPort1883Or8883WhenLeftOut) {
    struct Case {
        const char* text;
        MqttAddress address;
        const char* sampleTopic;  // of serial number 300
        const char* statusTopic;
    };
    const Case cases[] = {
        {"mqtt://localhost/lab", {"localhost", 1883, "lab"}, "lab/300/sample", "lab/300/status"},
        {"mqtt://broker.example.org:1884/site/room-2",
         {"broker.example.org", 1884, "site/room-2"},
         "site/room-2/300/sample",
         "site/room-2/300/status"},
        {"mqtt://10.0.0.5:65535/a", {"10.0.0.5", 65535, "a"}, "a/300/sample", "a/300/status"},
        {"mqtt://[::1]/lab", {"::1", 1883, "lab"}, "lab/300/sample", "lab/300/status"},
        {"mqtt://[fe80::1]:1/lab", {"fe80::1", 1, "lab"}, "lab/300/sample", "lab/300/status"},
        {"mqtts://localhost/lab",
         {"localhost", 8883, "lab", true},
         "lab/300/sample",
         "lab/300/status"},
        {"mqtts://broker.lab:1883/site",
         {"broker.lab", 1883, "site", true},
         "site/300/sample",
         "site/300/status"},
        {"mqtts://[::1]:8884/lab", {"::1", 8884, "lab", true}, "lab/300/sample", "lab/300/status"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString error;
        const std::optional<MqttAddress> address = ParseMqttAddress(c.text, error);
        ASSERT_TRUE(address.has_value()) << error.toStdString();
        EXPECT_EQ(error, QString());
        EXPECT_EQ(*address, c.address);
        EXPECT_EQ(SampleTopic(*address, 300), c.sampleTopic);
        EXPECT_EQ(StatusTopic(*address, 300), c.statusTopic);
    }
    QString error;
    EXPECT_EQ(MqttAddressText(*ParseMqttAddress("mqtt://[::1]/lab", error)),
              "mqtt://[::1]:1883/lab");
    EXPECT_EQ(MqttAddressText(*ParseMqttAddress("mqtt://localhost:1884/a/b", error)),
              "mqtt://localhost:1884/a/b");
    EXPECT_EQ(MqttAddressText(*ParseMqttAddress("mqtts://[::1]/lab", error)),
              "mqtts://[::1]:8883/lab");
}

// Said in the program's language; here, without a translation, the Polish program's.
TEST(ParseMqttAddress, RefusesWhatIsNotABrokerAndAPrefix) {
    const char* const kScheme = "adres zaczyna się od mqtt:// lub mqtts://";
    const char* const kHost = "brak nazwy lub adresu hosta";
    const char* const kIpv6 = "adres IPv6 podaje się w nawiasach: [::1]";
    const char* const kPort = "port to liczba od 1 do 65535";
    const char* const kPrefix = "PREFIKS to jeden lub więcej poziomów tematu bez + i #";
    const std::pair<const char*, const char*> cases[] = {
        {"", kScheme},
        {"localhost/lab", kScheme},
        {"mqtt:localhost/lab", kScheme},
        {"MQTTS://localhost/lab", kScheme},
        {"mqtts:/localhost/lab", kScheme},
        {"mqtts://", kHost},
        {"mqtts://host:0/lab", kPort},
        {"mqtts://host", kPrefix},
        {"http://localhost/lab", kScheme},
        {"mqtt://", kHost},
        {"mqtt:///lab", kHost},
        {"mqtt://bad host/lab", kHost},
        {"mqtt://-host/lab", kHost},
        {"mqtt://user@host/lab", kHost},
        {"mqtt://[::1/lab", kIpv6},
        {"mqtt://[host]/lab", kIpv6},
        {"mqtt://[::1]1883/lab", kIpv6},
        {"mqtt://host:/lab", kPort},
        {"mqtt://host:0/lab", kPort},
        {"mqtt://host:65536/lab", kPort},
        {"mqtt://host:+1/lab", kPort},
        {"mqtt://host:port/lab", kPort},
        {"mqtt://host", kPrefix},
        {"mqtt://host/", kPrefix},
        {"mqtt://host/lab/", kPrefix},
        {"mqtt://host//lab", kPrefix},
        {"mqtt://host/lab//room", kPrefix},
        {"mqtt://host/lab/#", kPrefix},
        {"mqtt://host/lab/+/x", kPrefix},
        {"mqtt://host/la\tb", kPrefix},
    };
    for (const auto& [text, why] : cases) {
        SCOPED_TRACE(text);
        QString error;
        EXPECT_EQ(ParseMqttAddress(text, error), std::nullopt);
        EXPECT_EQ(error,
                  QString::fromUtf8("--mqtt wymaga mqtt://HOST[:PORT]/PREFIKS, a nie \"%1\": %2")
                      .arg(QString::fromUtf8(text), QString::fromUtf8(why)));
    }
}

// A password may go over plain mqtt:// to this machine alone.
TEST(IsLoopbackHost, IsThisMachineByNameOrAddress) {
    const std::pair<const char*, bool> cases[] = {
        {"localhost", true},
        {"LocalHost", true},
        {"127.0.0.1", true},
        {"127.1.2.3", true},
        {"::1", true},
        {"::ffff:127.0.0.1", true},
        {"broker.lab", false},
        {"localhost.lab", false},
        {"10.0.0.2", false},
        {"128.0.0.1", false},
        {"::2", false},
        {"::ffff:10.0.0.1", false},
        {"127.0.0.1.lab", false},
        {"", false},
    };
    for (const auto& [host, loopback] : cases) {
        SCOPED_TRACE(host);
        EXPECT_EQ(IsLoopbackHost(host), loopback);
    }
}

}  // namespace
