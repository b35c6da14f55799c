// The simulator's line commands, against a running simulator and a client on its
// pseudo-terminal: what each command does, and what is refused.
#include "sim/sim_commands.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "sim/hex_text.h"
#include "sim_test_port.h"

namespace sim {
namespace {

using namespace std::chrono_literals;
using testing::TestPort;

TEST(HexText, RoundTripAndRefusals) {
    const Bytes all = {0x00, 0x01, 0x7F, 0x80, 0xAB, 0xFF};
    EXPECT_EQ(ToHex(all), "00017F80ABFF");
    EXPECT_EQ(FromHex("00017f80abFF"), all);
    EXPECT_EQ(FromHex(""), Bytes{});
    for (const char* bad : {"0", "0G", "ab c", "-1"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(FromHex(bad).has_value());
    }
}

class SimCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(simulator.Start(&why)) << why;
        port = std::make_unique<TestPort>(simulator.SlavePath());
        ASSERT_TRUE(port->IsOpen());
    }

    InstrumentSimulator simulator;
    SimCommands commands{simulator};
    std::unique_ptr<TestPort> port;
};

TEST_F(SimCommandsTest, RefusesWhatItDoesNotKnow) {
    struct Case {
        const char* line;
        const char* reply;
    };
    const Case cases[] = {
        {"", "error unknown command: "},
        {"bogus", "error unknown command: bogus"},
        {"RESET", "error unknown command: RESET"},
        {"reset now", "error reset takes no argument"},
        {"answers", "error answers takes on or off"},
        {"answers maybe", "error answers takes on or off"},
        {"id", "error id needs a text"},
        {"measurement", "error measurement needs 32 bytes in hexadecimal"},
        {"measurement 0011", "error measurement needs 32 bytes in hexadecimal"},
        {"send", "error send needs bytes in hexadecimal"},
        {"send 0", "error send needs bytes in hexadecimal"},
        {"send zz", "error send needs bytes in hexadecimal"},
        {"received 4", "error received takes no argument"},
        {"clear all", "error clear takes no argument"},
        {"unplug now", "error unplug takes no argument"},
        {"replug", "error replug needs a delay of 0 to 3600000 milliseconds"},
        {"replug soon", "error replug needs a delay of 0 to 3600000 milliseconds"},
        {"replug -1", "error replug needs a delay of 0 to 3600000 milliseconds"},
        {"replug 3600001", "error replug needs a delay of 0 to 3600000 milliseconds"},
        {"hangup", "error unknown command: hangup"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(commands.Run(c.line), c.reply);
    }
    EXPECT_TRUE(simulator.IsPlugged()) << "nothing refused has unplugged it";
}

TEST_F(SimCommandsTest, SetTheAnswersAndResetRestoresThem) {
    EXPECT_EQ(commands.Run("id NIV-Ion   \r"), "ok");  // a CR line end is not part of it
    EXPECT_EQ(port->Exchange(TextRequest('i'), 10), ToBytes("NIV-Ion   "));

    Bytes record(kMeasurementReplySize);
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<std::uint8_t>(0xF0 - i);
    EXPECT_EQ(commands.Run("measurement " + ToHex(record)), "ok");
    EXPECT_EQ(port->Exchange(TextRequest('t'), kMeasurementReplySize), record);

    EXPECT_EQ(commands.Run("answers off"), "ok");
    ASSERT_TRUE(port->Send(TextRequest('i')));
    ASSERT_TRUE(simulator.WaitForRequests(RequestKind::Identification, 2, 1000ms));
    EXPECT_EQ(port->ReadFor(100ms), Bytes{});
    EXPECT_EQ(commands.Run("answers on"), "ok");
    EXPECT_EQ(port->Exchange(TextRequest('i'), 10), ToBytes("NIV-Ion   "));

    EXPECT_EQ(commands.Run("answers off"), "ok");
    EXPECT_EQ(commands.Run("reset"), "ok");
    EXPECT_EQ(port->Exchange(TextRequest('i'), 6), ToBytes("KRT-10"));
    const Bytes measured = port->Exchange(TextRequest('t'), kMeasurementReplySize);
    EXPECT_EQ(measured.size(), kMeasurementReplySize);
    EXPECT_NE(measured, record);
}

TEST_F(SimCommandsTest, SendsUnaskedAndReportsWhatItReceived) {
    ASSERT_EQ(commands.Run("answers off"), "ok");
    EXPECT_EQ(commands.Run("send 000D0AFF11"), "ok");
    EXPECT_EQ(port->ReadFor(100ms), (Bytes{0x00, 0x0D, 0x0A, 0xFF, 0x11}));

    EXPECT_EQ(commands.Run("received"), "ok");
    const Bytes sent = {'0', '1', 'x', 0x00, 0xFE, '0', '1', 't', '?', 'e', 'n', 'd'};
    ASSERT_TRUE(port->Send(sent));
    ASSERT_TRUE(simulator.WaitForRequests(RequestKind::Measurement, 1, 1000ms));
    EXPECT_EQ(commands.Run("received"), "ok " + ToHex(sent));  // garbage included
    EXPECT_EQ(commands.Run("clear"), "ok");
    EXPECT_EQ(commands.Run("received"), "ok");
}

TEST_F(SimCommandsTest, UnplugHangsUpAndReplugOrResetPlugsInAgain) {
    EXPECT_EQ(commands.Run("unplug"), "ok");
    pollfd hangUp{port->Fd(), POLLIN, 0};
    ASSERT_EQ(poll(&hangUp, 1, 1000), 1);
    EXPECT_TRUE(hangUp.revents & POLLHUP);
    EXPECT_EQ(commands.Run("unplug"), "error the instrument is not plugged in");
    EXPECT_EQ(commands.Run("send 00"), "error the instrument could not send");

    EXPECT_EQ(commands.Run("replug 0"), "ok");
    ASSERT_TRUE(simulator.WaitUntilPlugged(2000ms));
    TestPort again(simulator.SlavePath());
    ASSERT_TRUE(again.IsOpen());
    EXPECT_EQ(again.Exchange(TextRequest('i'), 6), ToBytes("KRT-10"));
    again.Close();

    // Left unplugged, the next test's reset plugs it in.
    EXPECT_EQ(commands.Run("unplug"), "ok");
    EXPECT_EQ(commands.Run("reset"), "ok");
    TestPort third(simulator.SlavePath());
    ASSERT_TRUE(third.IsOpen());
    EXPECT_EQ(third.Exchange(TextRequest('i'), 6), ToBytes("KRT-10"));
}

}  // namespace
}  // namespace sim
