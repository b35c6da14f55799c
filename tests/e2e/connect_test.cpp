// Connecting: discovery over the candidate ports, the identification box, the version text.
#include <QLabel>
#include <QPushButton>

#include "common/e2e_fixture.h"

using namespace std::chrono_literals;

namespace {

using ConnectTest = E2eTest;

TEST_F(ConnectTest, FoundOnFirstCandidateShowsIdentificationAndVersion) {
    struct Case {
        std::uint8_t version, revision;
        std::uint16_t serial;
        const char* label16;
    };
    const Case cases[] = {
        {1, 2, 300, "KRT-10 wersja: 1 rewizja: 2 numer seyjny: 300"},
        {0xFF, 0xFF, 0xFFFF, "KRT-10 wersja: 255 rewizja: 255 numer seyjny: 65535"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label16);
        sim::InstrumentSimulator& instrument = AddInstrument();
        instrument.SetIdentification("NIV-Ion   ");
        instrument.SetVersion(c.version, c.revision, c.serial);
        MakeWindow({instrument.SlavePath()});
        modals_.clear();
        ClickConnect();

        ASSERT_EQ(modals_.boxes().size(), 1);
        EXPECT_EQ(modals_.boxes()[0].caption, "Identyfikator urzadzenia  :");
        EXPECT_EQ(modals_.boxes()[0].text, "NIV-Ion   ");
        EXPECT_EQ(modals_.boxes()[0].format, Qt::PlainText);
        EXPECT_EQ(form_->HygrometerTab->InstrumentVersionLabel->text(), c.label16);
        EXPECT_FALSE(form_->HygrometerTab->ConnectButton->isEnabled());
        EXPECT_EQ(form_->HygrometerTab->ConnectButton->text(), "Pomiar trwa");
        EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Identification), 1u);
        EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Version), 1u);
        controller_.reset();
    }
}

TEST_F(ConnectTest, SlowInstrumentIsFoundInTheSecondPass) {
    // Its late first answer arrives while the other port is tried, and is discarded when
    // the port is opened again, as a driver does; the second request is answered in time.
    // The late answer is sent by hand once the other port has been asked, so the order does
    // not hang on how fast the machine is.
    sim::InstrumentSimulator& instrument = AddInstrument();
    sim::InstrumentSimulator& other = AddInstrument();
    instrument.SetSilent(1);
    other.SetSilent();
    MakeWindow({instrument.SlavePath(), other.SlavePath()});
    QTest::mouseClick(form_->HygrometerTab->ConnectButton, Qt::LeftButton);
    ASSERT_TRUE(
        WaitFor([&] { return other.RequestCount(sim::RequestKind::Identification) >= 1; }, 20000));
    ASSERT_TRUE(instrument.Transmit(sim::ToBytes("KRT-10")));
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Identification), 2u);
    EXPECT_EQ(other.RequestCount(sim::RequestKind::Identification), 1u);
    ASSERT_FALSE(modals_.boxes().isEmpty());
    EXPECT_EQ(modals_.boxes()[0].text, "KRT-10");
    EXPECT_FALSE(form_->HygrometerTab->ConnectButton->isEnabled());
    EXPECT_EQ(form_->HygrometerTab->ConnectButton->text(), "Pomiar trwa");
}

TEST_F(ConnectTest, FirstIdentifyingCandidateWins) {
    sim::InstrumentSimulator& first = AddInstrument();
    sim::InstrumentSimulator& second = AddInstrument();
    first.SetIdentification("KRT-30");
    MakeWindow({first.SlavePath(), second.SlavePath()});
    ClickConnect();
    ASSERT_FALSE(modals_.boxes().isEmpty());
    EXPECT_EQ(modals_.boxes()[0].text, "KRT-30");
    EXPECT_EQ(second.RequestCount(sim::RequestKind::Identification), 0u);
    EXPECT_EQ(first.RequestCount(sim::RequestKind::Version), 1u);
}

TEST_F(ConnectTest, NothingIdentifiedLeavesConnectEnabledAndSaysWhatHappenedOnEachPort) {
    sim::InstrumentSimulator& lineEnded = AddInstrument();
    lineEnded.SetIdentification("KRT-10\r\n");
    sim::InstrumentSimulator& silent = AddInstrument();
    silent.SetSilent();
    MakeWindow({"/nonexistent/ttyUSB9", lineEnded.SlavePath(), silent.SlavePath()});
    ClickConnect();

    EXPECT_EQ(form_->SettingsTab->StatusLabel->text(), "Urządzenie nie odpowiada !");
    EXPECT_TRUE(form_->HygrometerTab->ConnectButton->isEnabled());
    EXPECT_EQ(form_->HygrometerTab->ConnectButton->text(), "Połącz");
    EXPECT_EQ(lineEnded.RequestCount(sim::RequestKind::Identification), 2u);
    EXPECT_EQ(lineEnded.RequestCount(sim::RequestKind::Version), 0u);
    ASSERT_EQ(modals_.boxes().size(), 1);
    const auto& box = modals_.boxes()[0];
    EXPECT_EQ(box.format, Qt::PlainText);
    EXPECT_TRUE(box.text.startsWith("Urządzenie nie odpowiada !")) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains(
        "/nonexistent/ttyUSB9: nie można otworzyć (Nie ma takiego pliku ani katalogu)"))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.contains(QString::fromStdString(lineEnded.SlavePath()) +
                                  ": nieznana odpowiedź \"KRT-10\\r\\n\""))
        << box.text.toStdString();
    EXPECT_TRUE(
        box.text.contains(QString::fromStdString(silent.SlavePath()) + ": brak odpowiedzi"));

    // Another press scans again.
    lineEnded.SetIdentification("KRT-10");
    modals_.clear();
    ClickConnect();
    EXPECT_FALSE(form_->HygrometerTab->ConnectButton->isEnabled());
}

TEST_F(ConnectTest, NoCandidatesAtAllIsReported) {
    // No --port list and a system without serial ports: nothing is found and the box says so.
    MakeWindow({});
    ClickConnect();
    EXPECT_TRUE(form_->HygrometerTab->ConnectButton->isEnabled());
    ASSERT_EQ(modals_.boxes().size(), 1);
    EXPECT_TRUE(modals_.boxes()[0].text.startsWith("Urządzenie nie odpowiada !"));
}

TEST_F(ConnectTest, WithoutAPortListTheSystemsPortsAreScanned) {
    sim::InstrumentSimulator& silent = AddInstrument();
    silent.SetSilent();
    sim::InstrumentSimulator& instrument = AddInstrument();
    systemPorts_ = {silent.SlavePath(), instrument.SlavePath()};
    MakeWindow({});
    ClickConnect();
    EXPECT_EQ(silent.RequestCount(sim::RequestKind::Identification), 1u);
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Identification), 1u);
    ASSERT_FALSE(modals_.boxes().isEmpty());
    EXPECT_EQ(modals_.boxes()[0].text, "KRT-10");
    EXPECT_EQ(form_->HygrometerTab->ConnectButton->text(), "Pomiar trwa");
}

}  // namespace
