// The session through Debian's ser2net in front of the simulated instrument's pseudo-terminal,
// once as an RFC 2217 server and once raw, with the protocol's own waits: measuring, the
// settings read and a Save, the logger dump, and the server going away and coming back.
// Every reply and the Save's frame carry 0xFF bytes, which RFC 2217 doubles on the wire.
#include <QRegularExpression>
#include <numeric>

#include "common/ser2net.h"
#include "common/session_fixture.h"
#include "settings/settings_frame.h"

using namespace std::chrono_literals;

namespace {

// Dew point -12.34, frost level -1: 0xFF bytes in what the log shows.
sim::MeasurementReply DistinctReply() {
    sim::MeasurementReply r{};
    const std::pair<int, int> bytes[] = {{0, 0xFB},  {1, 0x2E},  {5, 0x07},  {6, 0xD0},  {7, 0xC8},
                                         {8, 0x21},  {10, 0x11}, {11, 0xA0}, {12, 0xFF}, {13, 0xFF},
                                         {14, 0x08}, {15, 0xA2}, {16, 0x07}, {17, 0xD0}, {18, 0xFF},
                                         {19, 0xFF}, {26, 0x00}, {27, 0x02}, {28, 0x00}, {29, 0x07},
                                         {30, 0x07}, {31, 0x08}};
    for (auto [offset, value] : bytes) {
        r[offset] = static_cast<std::uint8_t>(value);
    }
    return r;
}

// Alarm 1 low and alarm 2 high negative: 0xFF in their high bytes.
sim::SettingsReply SettingsWithFF() {
    sim::SettingsReply s{};
    const std::pair<int, int> bytes[] = {
        {0, 2},     {1, 5},     {2, 3},     {3, 4},     {6, 0x00},  {7, 0xE1}, {8, 9},
        {9, 0xFF},  {10, 0xCE}, {11, 8},    {12, 0xFF}, {13, 0x38}, {18, 4},   {19, 0},
        {34, 0},    {35, 48},   {40, 2},    {41, 1},    {42, 7},    {43, 3},   {44, 11},
        {45, 0x08}, {46, 0xCA}, {47, 0x00}, {48, 0x64}};
    for (auto [offset, value] : bytes) {
        s[offset] = static_cast<std::uint8_t>(value);
    }
    return s;
}

// Record 7 of the logger's worked example.
const sim::LoggerRecordReply kRecord7 = {0x11, 0xA0, 0xFD, 0xF5, 0x01, 0x4A,
                                         0x62, 0x18, 0x65, 0x03, 0x07};

std::vector<int> OneTo(std::size_t n) {
    std::vector<int> numbers(n);
    std::iota(numbers.begin(), numbers.end(), 1);
    return numbers;
}

class Ser2netSessionTest : public SessionTest, public ::testing::WithParamInterface<bool> {};

TEST_P(Ser2netSessionTest, MeasuresSavesDumpsAndGoesOnAfterTheServerRestarts) {
    if (!Ser2net::Installed()) {
        GTEST_SKIP() << "ser2net is not installed (apt-get install ser2net)";
    }
    sim::InstrumentSimulator& instrument = AddInstrument();
    instrument.SetFixedMeasurement(DistinctReply());
    instrument.SetSettings(SettingsWithFF());
    instrument.SetLoggerRecord(7, kRecord7);
    Ser2net server(instrument.SlavePath(), GetParam());
    ASSERT_TRUE(server.WaitUntilListening());

    MakeSessionWith(SessionOptions{{server.Name()}, QLocale::c(), Path("jrt1.txt")});
    std::vector<SampleUpdate> updates;
    QObject::connect(session_.get(), &InstrumentSession::SampleReady,
                     [&](const SampleUpdate& u) { updates.push_back(u); });
    std::vector<SettingsReadResult> reads;
    QObject::connect(session_.get(), &InstrumentSession::SettingsRead,
                     [&](const SettingsReadResult& r) { reads.push_back(r); });
    ASSERT_EQ(session_->Connect(), SessionRequest::Started);
    ASSERT_TRUE(WaitFor([&] { return Saw("Connected") || Saw("NotFound"); }, 30000));
    ASSERT_EQ(events_, (std::vector<std::string>{"Identified", "Connected"}));
    EXPECT_EQ(session_->PortPath(), server.Name()) << "the port as given";

    // The settings the connect read, 0xFF bytes and all.
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].status, SettingsReplyStatus::Complete);
    const InstrumentSettings& read = reads[0].settings;
    EXPECT_EQ(read.Alarm1High, 225);
    EXPECT_EQ(read.Alarm1HighExtra, 9);
    EXPECT_EQ(read.Alarm1Low, -50);
    EXPECT_EQ(read.Alarm1LowExtra, 8);
    EXPECT_EQ(read.Alarm2High, -200);
    EXPECT_EQ(read.CleaningInterval, 48);
    EXPECT_EQ(read.ManualTemperature, 2250);
    EXPECT_EQ(read.Pressure, 100);

    // A Save whose frame holds 0xFF bytes reaches the instrument as the client made it.
    ASSERT_TRUE(WaitFor([&] { return samples_.size() >= 2; }, 20000));
    InstrumentSettings saved = read;
    saved.Alarm2Low = -1;     // 0xFF 0xFF
    saved.Output1Min = -256;  // 0xFF 0x00
    session_->ArmSettingsWrite(saved);
    // Whether its short acknowledgement makes it back within the wait is the machine's load.
    ASSERT_TRUE(WaitFor([&] { return Saw("Written") || Saw("WriteUnconfirmed"); }, 20000));
    const SettingsFrame frame = EncodeSettingsFrame(saved);
    const sim::Bytes expectedFrame(frame.begin(), frame.end());
    ASSERT_GE(std::count(expectedFrame.begin(), expectedFrame.end(), 0xFF), 5);
    EXPECT_EQ(instrument.LastSettingsFrame(), expectedFrame);

    // The whole logger.
    auto dumpFile = std::make_unique<LoggerDumpFile>(Path("logged.txt"));
    ASSERT_EQ(dumpFile->Create(), 0);
    ASSERT_EQ(session_->DumpLogger(std::move(dumpFile)), SessionRequest::Started);
    ASSERT_TRUE(WaitFor([&] { return !dumpEnds_.empty(); }, 180000));
    EXPECT_EQ(dumpEnds_[0].end, LoggerDumpResult::End::Complete);
    EXPECT_EQ(dumpEnds_[0].linesWritten, 256);
    const QByteArray dump = ReadFile("logged.txt");
    EXPECT_EQ(dump.count("\r\n"), 256);
    EXPECT_TRUE(dump.startsWith("0\t")) << dump.left(80).toStdString();
    EXPECT_TRUE(dump.contains("\r\n7\t2012-3-5\t9:19:4\t4512\t-523\t3\t1\r\n"));
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::LoggerRecord), 256u);

    // The server goes away: the connection is lost, and found again once it is back.
    ASSERT_TRUE(WaitFor([&] { return session_->Polling(); }, 20000));
    server.Stop();
    ASSERT_TRUE(WaitFor([&] { return Saw("ConnectionLost"); }, 30000));
    EXPECT_EQ(session_->State(), SessionState::Lost);
    const std::size_t before = samples_.size();
    server.Start();
    ASSERT_TRUE(WaitFor([&] { return CountOf("Connected") == 2; }, 30000));
    ASSERT_TRUE(WaitFor([&] { return samples_.size() >= before + 2; }, 20000));
    session_->Stop();

    EXPECT_EQ(samples_, OneTo(samples_.size()));
    EXPECT_EQ(LoggedNumbers(), samples_) << "one log, numbered on across the restart";
    // Each line as the instrument's reply gives it. A reply late for its wait (the machine
    // busy) is read with the next one and garbles that sample, on any port: only the reads
    // that brought exactly one reply are compared, and they must be most of them.
    const QList<QByteArray> lines = ReadFile("jrt1.txt").split('\n');
    ASSERT_EQ(static_cast<std::size_t>(lines.size()), samples_.size() + 1);
    ASSERT_EQ(updates.size(), samples_.size());
    const QRegularExpression line(
        "^(\\d+)\\t\\d\\d:\\d\\d:\\d\\d\\t-1234\\t4512\\t2210\\t-12.34\\t45.12\\t22.10\\t"
        "20.00\\t200\\t-1\\r$");
    std::size_t whole = 0;
    for (std::size_t i = 0; i < updates.size(); ++i) {
        SCOPED_TRACE(i);
        if (updates[i].replyBytes != kMeasurementReplySize) {
            continue;
        }
        ++whole;
        const QString text = QString::fromLatin1(lines[static_cast<qsizetype>(i)]);
        const auto match = line.match(text);
        ASSERT_TRUE(match.hasMatch()) << text.toStdString();
        EXPECT_EQ(match.captured(1).toInt(), updates[i].sampleCount);
    }
    EXPECT_GE(whole * 2, updates.size()) << whole << " of " << updates.size();
    EXPECT_TRUE(lines.last().isEmpty()) << "every line whole";
}

INSTANTIATE_TEST_SUITE_P(Accepters, Ser2netSessionTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Rfc2217" : "Raw"; });

}  // namespace
