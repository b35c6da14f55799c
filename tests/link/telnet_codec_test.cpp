#include "link/telnet_codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(TelnetCodec, DataBytesFFGoDoubled) {
    const Bytes data{0x01, 0xFF, 0x02, 0xFF, 0xFF};
    EXPECT_EQ(telnet::EncodeData(data.data(), data.size()),
              (Bytes{0x01, 0xFF, 0xFF, 0x02, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(TelnetCodec, ComPortCommandIsFramedWithItsValueDoubled) {
    EXPECT_EQ(telnet::EncodeComPortCommand(1, {0x00, 0x00, 0x12, 0xC0}),
              (Bytes{0xFF, 0xFA, 44, 1, 0x00, 0x00, 0x12, 0xC0, 0xFF, 0xF0}));
    EXPECT_EQ(telnet::EncodeComPortCommand(1, {0x00, 0x00, 0xFF, 0x01}),
              (Bytes{0xFF, 0xFA, 44, 1, 0x00, 0x00, 0xFF, 0xFF, 0x01, 0xFF, 0xF0}));
}

struct DecodeCase {
    const char* name;
    std::vector<Bytes> reads;  // the stream as it arrives, cut into reads
    Bytes data;
    std::vector<telnet::OptionEvent> events;
};

bool SameEvents(const std::vector<telnet::OptionEvent>& a,
                const std::vector<telnet::OptionEvent>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].verb != b[i].verb || a[i].option != b[i].option || a[i].payload != b[i].payload) {
            return false;
        }
    }
    return true;
}

TEST(TelnetCodec, DecoderTable) {
    const std::vector<DecodeCase> cases = {
        {"plain data", {{0x30, 0x31, 0x00}}, {0x30, 0x31, 0x00}, {}},
        {"doubled FF is one data byte", {{0x01, 0xFF, 0xFF, 0x02}}, {0x01, 0xFF, 0x02}, {}},
        {"doubled FF split across two reads", {{0x01, 0xFF}, {0xFF, 0x02}}, {0x01, 0xFF, 0x02}, {}},
        {"four FF on the wire are two", {{0xFF, 0xFF}, {0xFF}, {0xFF}}, {0xFF, 0xFF}, {}},
        {"option refusals", {{0xFF, 0xFE, 44, 0xFF, 0xFC, 0}}, {}, {{0xFE, 44, {}}, {0xFC, 0, {}}}},
        {"notification between two data bytes",
         {{0x41, 0xFF, 0xFA, 44, 107, 0x30, 0xFF, 0xF0, 0x42}},
         {0x41, 0x42},
         {{0xFA, 44, {107, 0x30}}}},
        {"notification split byte by byte",
         {{0x41, 0xFF}, {0xFA}, {44}, {106}, {0xFF, 0xFF}, {0xFF}, {0xF0, 0x42}},
         {0x41, 0x42},
         {{0xFA, 44, {106, 0xFF}}}},
        {"negotiation split after IAC and after the verb",
         {{0xFF}, {0xFD}, {0, 0x55}},
         {0x55},
         {{0xFD, 0, {}}}},
        {"other commands vanish", {{0x01, 0xFF, 0xF1, 0x02}}, {0x01, 0x02}, {}},
    };
    for (const auto& c : cases) {
        telnet::Decoder decoder;
        Bytes data;
        std::vector<telnet::OptionEvent> events;
        for (const auto& read : c.reads) {
            decoder.Feed(read.data(), read.size(), &data, &events);
        }
        EXPECT_EQ(data, c.data) << c.name;
        EXPECT_TRUE(SameEvents(events, c.events)) << c.name;
    }
}

TEST(TelnetCodec, EndlessSubnegotiationStaysBounded) {
    telnet::Decoder decoder;
    Bytes data;
    std::vector<telnet::OptionEvent> events;
    const Bytes start{0xFF, 0xFA, 44};
    decoder.Feed(start.data(), start.size(), &data, &events);
    const Bytes junk(100000, 0x11);
    decoder.Feed(junk.data(), junk.size(), &data, &events);
    const Bytes end{0xFF, 0xF0, 0x07};
    decoder.Feed(end.data(), end.size(), &data, &events);
    EXPECT_EQ(data, Bytes{0x07});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_LE(events[0].payload.size(), 64u);
}

}  // namespace
