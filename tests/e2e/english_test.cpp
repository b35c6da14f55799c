// Connecting in the English build: the connect texts and the alarm mode lists.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "common/e2e_fixture.h"

namespace {

using EnglishTest = E2eTest;

TEST_F(EnglishTest, ConnectShowsTheEnglishTextsAndAlarmModes) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    sim::SettingsReply settings = instrument.Settings();
    settings[2] = 3;  // alarm 1 mode
    settings[3] = 6;  // alarm 2 mode
    instrument.SetSettings(settings);
    MakeWindow({instrument.SlavePath()}, true);
    EXPECT_EQ(form_->HygrometerTab->InstrumentVersionLabel->text(), "State:");

    ClickConnect();
    ASSERT_FALSE(modals_.boxes().isEmpty());
    EXPECT_EQ(modals_.boxes()[0].caption, "Found device  :");
    EXPECT_EQ(form_->HygrometerTab->InstrumentVersionLabel->text(),
              "KRT-10 version: 1 rev.: 2 serial number: 300");
    EXPECT_EQ(form_->HygrometerTab->ConnectButton->text(), "Measuring");
    EXPECT_EQ(form_->SettingsTab->Alarm1ModeList->currentText(), "3 inside");
    EXPECT_EQ(form_->SettingsTab->Alarm2ModeList->currentText(), "6 cooling");
}

TEST_F(EnglishTest, NotFoundInEnglish) {
    MakeWindow({"/nonexistent/ttyUSB7"}, true);
    ClickConnect();
    EXPECT_EQ(form_->SettingsTab->StatusLabel->text(), "Device not found !");
    ASSERT_EQ(modals_.boxes().size(), 1);
    EXPECT_EQ(modals_.boxes()[0].text,
              "Device not found !\n\n/nonexistent/ttyUSB7: could not be opened (No such file or "
              "directory)");
}

}  // namespace
