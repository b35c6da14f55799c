// Discovery and one measurement poll over the wire, as the client makes them: a port that
// leads nowhere is skipped, the instrument is found on its port, and its measurement record
// arrives intact and decodes.
#include "link/discovery.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>

#include "common/instrument_peer.h"
#include "measure/measurement_record.h"

namespace {

using namespace std::chrono_literals;

// Signed fields below zero, a zero byte inside, every byte distinct where it matters.
constexpr std::array<std::uint8_t, 32> kRecord = {
    0xFB, 0x2E,              // dew point -12.34
    0x00, 0x11, 0x22,        // unused
    0x09, 0x29,              // head temperature 23.45
    0x07, 0xC8,              // mirror dew level, Peltier power
    0x00,                    // unused
    0x11, 0x94,              // relative humidity 45.00
    0xFF, 0xFF,              // frost level -1
    0x08, 0x98,              // ambient 22.00
    0xFB, 0x2F,              // mirror -12.33
    0x00, 0x01, 0x80, 0x00,  // aux 1 and 2: 1, -32768
    0x7F, 0xFF, 0x00, 0x00,  // aux 3 and 4: 32767, 0
    0x00, 0x02, 0x00, 0x07,  // run time: 2 half days, 7 hours,
    0xFF, 0xFE,              // 65534 seconds
};

TEST(InstrumentOnItsPort, IsFoundAndItsMeasurementDecodes) {
    std::string why;
    std::unique_ptr<InstrumentPeer> peer = ConnectInstrumentPeer(&why);
    ASSERT_TRUE(peer) << why;
    peer->SetIdentification("NIV-Ion   ");  // the blanks are part of it
    peer->SetMeasurement(kRecord);

    InstrumentLink link;
    const DiscoveryResult found =
        DiscoverInstrument(link, {peer->MissingPortName(), peer->PortName()});
    ASSERT_TRUE(found.found);
    EXPECT_EQ(found.port, peer->PortName());
    EXPECT_EQ(found.identification, "NIV-Ion   ");
    ASSERT_EQ(found.probes.size(), 2u);
    EXPECT_EQ(found.probes[0].result, ProbeResult::OpenFailed);
    EXPECT_FALSE(found.probes[0].detail.empty()) << "the reason the port did not open";
    EXPECT_EQ(found.probes[1].result, ProbeResult::Identified);

    auto ex = link.BeginExchange();
    ex.PutTextCommand("01t?end");
    ASSERT_EQ(ex.SendTextCommand(), SendOutcome::Sent);
    ASSERT_TRUE(ex.Sleep(500ms));
    ASSERT_TRUE(ex.ReadReply());
    EXPECT_EQ(ex.LastReadCount(), kRecord.size());

    MeasurementSample expected;
    expected.DewPoint = -1234;
    expected.HeadTemperature = 2345;
    expected.MirrorDewLevel = 0x07;
    expected.PeltierPower = 0xC8;
    expected.RelativeHumidity = 4500;
    expected.FrostLevel = -1;
    expected.AmbientTemperature = 2200;
    expected.MirrorTemperature = -1233;
    expected.AuxValue1 = 1;
    expected.AuxValue2 = -32768;
    expected.AuxValue3 = 32767;
    expected.AuxValue4 = 0;
    expected.RunHalfDays = 2;
    expected.RunHours = 7;
    expected.RunSeconds = 65534;
    EXPECT_EQ(DecodeMeasurement(ex.ReplyBuffer()), expected);
}

}  // namespace
