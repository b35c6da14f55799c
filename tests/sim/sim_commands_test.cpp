// The simulator's line commands, against a running simulator and a client on its
// pseudo-terminal: what each command does, and what is refused.
#include "sim/sim_commands.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <optional>

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
        {"silent 0", "error silent takes a number of answers or every"},
        {"silent some", "error silent takes a number of answers or every"},
        {"silent 2 3", "error silent takes a number of answers or every"},
        {"slow",
         "error slow needs a delay of 0 to 60000 milliseconds, then a number of "
         "answers or every"},
        {"slow 60001",
         "error slow needs a delay of 0 to 60000 milliseconds, then a number of "
         "answers or every"},
        {"slow 10 1000001",
         "error slow needs a delay of 0 to 60000 milliseconds, then a number "
         "of answers or every"},
        {"slow -5",
         "error slow needs a delay of 0 to 60000 milliseconds, then a number of "
         "answers or every"},
        {"split 5",
         "error split needs a first part of 0 to 4096 bytes and a gap of 0 to 60000 "
         "milliseconds, then a number of answers or every"},
        {"split 4097 10",
         "error split needs a first part of 0 to 4096 bytes and a gap of 0 to "
         "60000 milliseconds, then a number of answers or every"},
        {"over-long",
         "error over-long needs a length of 0 to 4096 bytes, then a number of "
         "answers or every"},
        {"over-long 40 1 2",
         "error over-long needs a length of 0 to 4096 bytes, then a number "
         "of answers or every"},
        {"short x",
         "error short needs a length of 0 to 4096 bytes, then a number of answers "
         "or every"},
        {"faults", "error faults takes off"},
        {"faults on", "error faults takes off"},
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

// Each fault command for one answer, then the next answer whole again.
TEST_F(SimCommandsTest, FaultCommandsShapeTheNextAnswers) {
    Bytes record(kMeasurementReplySize);
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<std::uint8_t>(0x10 + i);
    ASSERT_EQ(commands.Run("measurement " + ToHex(record)), "ok");
    const Bytes padding(8, 0xAA);
    Bytes overLong = record;
    overLong.insert(overLong.end(), padding.begin(), padding.end());

    struct Case {
        const char* command;
        Bytes faulty;  // what the one faulty answer brings
    };
    const Case cases[] = {
        {"short 10 1", Bytes(record.begin(), record.begin() + 10)},
        {"short 1 1", Bytes(record.begin(), record.begin() + 1)},
        {"over-long 40 1", overLong},
        {"split 5 50 1", record},
        {"split 31 0 1", record},
        {"slow 30 1", record},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_EQ(commands.Run(c.command), "ok");
        ASSERT_TRUE(port->Send(TextRequest('t')));
        EXPECT_EQ(port->Read(c.faulty.size(), 10s, 100ms), c.faulty);
        ASSERT_TRUE(port->Send(TextRequest('t')));
        EXPECT_EQ(port->Read(record.size(), 10s, 100ms), record) << "the fault has ended";
    }

    // Silent for two answers: the third request is the first answered.
    ASSERT_EQ(commands.Run("silent 2"), "ok");
    const std::size_t before = simulator.RequestCount(RequestKind::Measurement);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(port->Send(TextRequest('t')));
    ASSERT_TRUE(simulator.WaitForRequests(RequestKind::Measurement, before + 3, 10s));
    EXPECT_EQ(port->Read(record.size(), 10s, 100ms), record);

    // Every answer until "faults off".
    ASSERT_EQ(commands.Run("short 4"), "ok");
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(port->Send(TextRequest('t')));
        EXPECT_EQ(port->Read(4, 10s, 100ms), Bytes(record.begin(), record.begin() + 4));
    }
    ASSERT_EQ(commands.Run("faults off"), "ok");
    ASSERT_TRUE(port->Send(TextRequest('t')));
    EXPECT_EQ(port->Read(record.size(), 10s, 100ms), record);
}

TEST_F(SimCommandsTest, SlowAnswerComesNoSooner) {
    Bytes record(kMeasurementReplySize, 0x42);
    ASSERT_EQ(commands.Run("measurement " + ToHex(record)), "ok");
    ASSERT_EQ(commands.Run("slow 3000 1"), "ok");
    ASSERT_TRUE(port->Send(TextRequest('t')));
    ASSERT_TRUE(simulator.WaitForRequests(RequestKind::Measurement, 1, 10s));
    EXPECT_EQ(port->ReadFor(200ms), Bytes{}) << "not before its delay";
    EXPECT_EQ(port->Read(record.size(), 10s), record);
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

// The record of what was sent holds every byte the client read, faulty answers and bytes
// sent unasked included, with where each answer began.
TEST(SimSentLog, HoldsEveryByteSentWithTheAnswersStarts) {
    char dirTemplate[] = "/tmp/hygro-sent-XXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    const std::string path = std::string(dirTemplate) + "/sent.txt";
    Bytes read;
    {
        InstrumentSimulator simulator;
        simulator.SetSentLog(path);
        std::string why;
        ASSERT_TRUE(simulator.Start(&why)) << why;
        SimCommands commands(simulator);
        TestPort port(simulator.SlavePath());
        ASSERT_TRUE(port.IsOpen());
        Bytes record(kMeasurementReplySize);
        for (std::size_t i = 0; i < record.size(); ++i)
            record[i] = static_cast<std::uint8_t>(0xC0 + i);
        ASSERT_EQ(commands.Run("measurement " + ToHex(record)), "ok");

        const struct {
            const char* command;
            std::size_t bytes;
        } steps[] = {
            {"faults off", 32},     {"short 7 1", 7},   {"split 3 20 1", 32},
            {"over-long 35 1", 35}, {"faults off", 32},
        };
        for (const auto& step : steps) {
            SCOPED_TRACE(step.command);
            ASSERT_EQ(commands.Run(step.command), "ok");
            ASSERT_TRUE(port.Send(TextRequest('t')));
            const Bytes got = port.Read(step.bytes, 10s, 50ms);
            ASSERT_EQ(got.size(), step.bytes);
            read.insert(read.end(), got.begin(), got.end());
        }
        ASSERT_EQ(commands.Run("send 0D0AFF"), "ok");
        const Bytes garbage = port.Read(3, 10s, 50ms);
        EXPECT_EQ(garbage, (Bytes{0x0D, 0x0A, 0xFF}));
        read.insert(read.end(), garbage.begin(), garbage.end());
    }

    std::FILE* file = std::fopen(path.c_str(), "r");
    ASSERT_NE(file, nullptr);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::fclose(file);
    std::remove(path.c_str());
    rmdir(dirTemplate);

    Bytes logged;
    std::vector<std::size_t> starts;  // where each "A" line begins, in bytes
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        ASSERT_NE(end, std::string::npos) << "every line ended";
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        ASSERT_GE(line.size(), 2u);
        ASSERT_TRUE(line.starts_with("A ") || line.starts_with("+ ")) << line;
        if (line[0] == 'A')
            starts.push_back(logged.size());
        const std::optional<Bytes> bytes = FromHex(std::string_view(line).substr(2));
        ASSERT_TRUE(bytes.has_value()) << line;
        logged.insert(logged.end(), bytes->begin(), bytes->end());
    }
    EXPECT_EQ(logged, read);
    EXPECT_EQ(starts, (std::vector<std::size_t>{0, 32, 39, 71, 106, 138}));
}

}  // namespace
}  // namespace sim
