// Live measurement in the window: readouts, "Error" for a silent cycle, the log at connect,
// and closing the window while polling.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/e2e_fixture.h"

namespace {

using MeasureTest = E2eTest;

sim::MeasurementReply DistinctReply() {
    sim::MeasurementReply r{};
    const std::pair<int, int> bytes[] = {{0, 0xFB},  {1, 0x2E},  {5, 0x07},  {6, 0xD0},  {7, 0xC8},
                                         {8, 0x21},  {10, 0x11}, {11, 0xA0}, {12, 0x00}, {13, 0x05},
                                         {14, 0x08}, {15, 0xA2}, {16, 0x07}, {17, 0xD0}, {18, 0xFF},
                                         {19, 0xFF}, {26, 0x00}, {27, 0x02}, {28, 0x00}, {29, 0x07},
                                         {30, 0x07}, {31, 0x08}};
    for (auto [offset, value] : bytes)
        r[offset] = static_cast<std::uint8_t>(value);
    return r;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(MeasureTest, ReadoutsFollowTheInstrumentAndASilentCycleShowsError) {
    {
        QFile old(WorkFile("jrt1.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("lines of an earlier run\r\n");
    }
    sim::InstrumentSimulator& instrument = AddInstrument();
    instrument.SetFixedMeasurement(DistinctReply());
    MakeWindow({instrument.SlavePath()});
    ClickConnect();
    ASSERT_TRUE(WaitFor([&] { return form_->HygrometerTab->DewPointReadout->text() == "-12.34"; }));

    const std::pair<QWidget*, const char*> expected[] = {
        {form_->HygrometerTab->DewPointReadout, "-12.34"},
        {form_->HygrometerTab->HeadTemperatureReadout, "20"},
        {form_->HygrometerTab->MirrorDewLevelReadout, "200"},
        {form_->HygrometerTab->PeltierPowerReadout, "33"},
        {form_->HygrometerTab->RelativeHumidityReadout, "45.12"},
        {form_->HygrometerTab->FrostLevelReadout, "5"},
        {form_->HygrometerTab->AmbientTemperatureReadout, "22.10"},
        {form_->HygrometerTab->MirrorTemperatureReadout, "20.00"},
        {form_->HygrometerTab->AuxValue1Readout, "-1"},
        {form_->HygrometerTab->AuxValue2Readout, "0"},
        {form_->HygrometerTab->AuxValue3Readout, "0"},
        {form_->HygrometerTab->AuxValue4Readout, "0"},
    };
    for (auto [widget, text] : expected) {
        SCOPED_TRACE(widget->objectName().toStdString());
        EXPECT_EQ(qobject_cast<QLineEdit*>(widget)->text(), text);
    }
    EXPECT_EQ(form_->HygrometerTab->RunTimeLabel->text(), "Poldni:2 godzin:7 sekund:1800");

    instrument.SetSilent(1);
    ASSERT_TRUE(WaitFor([&] { return form_->HygrometerTab->DewPointReadout->text() == "Error"; }));
    EXPECT_EQ(form_->HygrometerTab->AmbientTemperatureReadout->text(),
              "22.10");  // the others keep the last sample
    ASSERT_TRUE(WaitFor([&] { return form_->HygrometerTab->DewPointReadout->text() == "-12.34"; }));

    const QByteArray log = ReadFile(WorkFile("jrt1.txt"));
    EXPECT_TRUE(log.startsWith("1\t")) << log.toStdString();
    EXPECT_FALSE(log.contains("earlier run"));
    EXPECT_FALSE(log.contains("Error"));
}

TEST_F(MeasureTest, UnwritableLogAtConnectIsReportedAndConnectCanBeRetried) {
    ASSERT_TRUE(QDir(workDir_.path()).mkdir("jrt1.txt"));
    sim::InstrumentSimulator& instrument = AddInstrument();
    MakeWindow({instrument.SlavePath()});
    ClickConnect();
    ASSERT_EQ(modals_.boxes().size(), 2);
    EXPECT_EQ(modals_.boxes()[1].objectName, "ErrorBox");
    EXPECT_EQ(modals_.boxes()[1].text, "Błąd wejścia/wyjścia 21.");
    EXPECT_TRUE(form_->HygrometerTab->ConnectButton->isEnabled());
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::Measurement), 0u);

    ASSERT_TRUE(QDir(workDir_.path()).rmdir("jrt1.txt"));
    ClickConnect();
    EXPECT_FALSE(form_->HygrometerTab->ConnectButton->isEnabled());
    EXPECT_TRUE(
        instrument.WaitForRequests(sim::RequestKind::Measurement, 1, std::chrono::seconds(3)));
}

TEST_F(MeasureTest, ClosingTheWindowWhilePollingStopsTheWorkerWithEveryLineOnDisk) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    MakeWindow({instrument.SlavePath()});
    form_->show();
    ClickConnect();
    ASSERT_TRUE(WaitFor([&] { return controller_->session().SampleCount() >= 2; }));
    form_->close();
    EXPECT_FALSE(controller_->session().Polling());
    const int samples = controller_->session().SampleCount();
    EXPECT_EQ(ReadFile(WorkFile("jrt1.txt")).count("\r\n"), samples);
}

}  // namespace
