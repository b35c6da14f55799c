// The Settings tab against the instrument: read at connect and on "Odczytaj ustawienia",
// Save and the frame the worker sends, what the operator sees when something goes wrong,
// and the hidden unit lists that follow the visible ones.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <map>
#include <optional>

#include "common/e2e_fixture.h"

using namespace std::chrono_literals;

namespace {

using SettingsTest = E2eTest;

void Put16(sim::SettingsReply& reply, std::size_t offset, int value) {
    const auto word = static_cast<std::uint16_t>(value);
    reply[offset] = static_cast<std::uint8_t>(word >> 8);
    reply[offset + 1] = static_cast<std::uint8_t>(word & 0xFF);
}

// Every field away from the simulator's defaults and from zero, the four bytes the tab
// does not show included; all of it representable in the tab.
sim::SettingsReply DistinctSettings() {
    sim::SettingsReply r{};
    r[0] = 7;  // °C-°Cdp
    r[1] = 6;  // °F
    r[2] = 5;
    r[3] = 6;
    Put16(r, 6, -50);
    r[8] = 0xA1;
    Put16(r, 9, 225);
    r[11] = 0xB2;
    Put16(r, 12, 1234);
    r[14] = 'k';
    Put16(r, 15, -321);
    r[17] = 'k';
    r[18] = 0;
    r[19] = 4;
    r[20] = r[21] = 'j';
    Put16(r, 22, -400);
    r[24] = 0xC3;
    Put16(r, 25, 1500);
    r[27] = 0xD4;
    Put16(r, 28, 5);
    r[30] = 'k';
    Put16(r, 31, 999);
    r[33] = 'k';
    Put16(r, 34, 300);
    r[40] = 1;
    r[41] = 1;
    r[42] = 12;
    r[43] = 9;
    r[44] = 2;
    Put16(r, 45, -1234);
    Put16(r, 47, 3125);
    return r;
}

// The "01m" frame that gives DistinctSettings() back unchanged: the unit codes plus 30, then
// as they are; each 16-bit value high byte first; the letters k and j where the instrument
// keeps them; "end".
const sim::Bytes kUnchangedFrame = {
    0x30, 0x31, 0x6D, 0x25, 0x24, 0x05, 0x06, 0x07, 0x06,  // 01m, units + 30, modes, units
    0xFF, 0xCE, 0xA1, 0x00, 0xE1, 0xB2,                    // alarm 1: -50, 225, extras
    0x04, 0xD2, 0x6B, 0xFE, 0xBF, 0x6B,                    // alarm 2: 1234 k, -321 k
    0x00, 0x04, 0x6A, 0x6A,                                // output types, j j
    0xFE, 0x70, 0xC3, 0x05, 0xDC, 0xD4,                    // output 1: -400, 1500, extras
    0x00, 0x05, 0x6B, 0x03, 0xE7, 0x6B,                    // output 2: 5 k, 999 k
    0x01, 0x2C, 0x01, 0x01, 0x0C, 0x09, 0x02,              // cleaning 300, buzzer .. al2
    0xFB, 0x2E, 0x0C, 0x35, 0x65, 0x6E, 0x64};             // -1234, 3125, end

// The same frame after the tab's edits: alarm 1 high 12.5, buzzer AL2, manual 18.25 °C.
const sim::Bytes kEditedFrame = {
    0x30, 0x31, 0x6D, 0x25, 0x24, 0x05, 0x06, 0x07, 0x06,  // 01m, units + 30, modes, units
    0x00, 0x7D, 0xA1, 0x00, 0xE1, 0xB2,                    // alarm 1: 125 (edited), 225
    0x04, 0xD2, 0x6B, 0xFE, 0xBF, 0x6B,                    // alarm 2: 1234 k, -321 k
    0x00, 0x04, 0x6A, 0x6A,                                // output types, j j
    0xFE, 0x70, 0xC3, 0x05, 0xDC, 0xD4,                    // output 1: -400, 1500, extras
    0x00, 0x05, 0x6B, 0x03, 0xE7, 0x6B,                    // output 2: 5 k, 999 k
    0x01, 0x2C, 0x02, 0x01, 0x0C, 0x09, 0x02,              // cleaning 300, buzzer 2 (edited)
    0x07, 0x21, 0x0C, 0x35, 0x65, 0x6E, 0x64};             // 1825 (edited), 3125, end

bool Shown(const QWidget* widget) {
    return !widget->isHidden();
}

// What every list and edit of the Settings tab holds, by name.
std::map<QString, QString> TabSnapshot(const TForm1& form) {
    std::map<QString, QString> snapshot;
    for (const QComboBox* list : form.SettingsTab->findChildren<QComboBox*>()) {
        snapshot[list->objectName()] =
            QString::number(list->currentIndex()) + "|" + list->currentText();
    }
    for (const QLineEdit* edit : form.SettingsTab->findChildren<QLineEdit*>()) {
        if (edit->objectName().startsWith("Edit")) {
            snapshot[edit->objectName()] = edit->text();
        }
    }
    return snapshot;
}

TEST_F(SettingsTest, SaveWritesBackWhatWasReadAndAReadShowsWhatWasSaved) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    const sim::SettingsReply reply = DistinctSettings();
    instrument.SetSettings(reply);
    MakeWindow({instrument.SlavePath()});
    InstrumentSession& handlers = controller_->session();

    // A Save armed before connecting is dropped by the connect.
    for (QLineEdit* edit :
         {form_->SettingsTab->Output1MinEdit, form_->SettingsTab->Output1MaxEdit,
          form_->SettingsTab->Output2MinEdit, form_->SettingsTab->Output2MaxEdit,
          form_->SettingsTab->Alarm1HighEdit, form_->SettingsTab->CleaningIntervalEdit,
          form_->SettingsTab->Alarm1LowEdit, form_->SettingsTab->Alarm2HighEdit,
          form_->SettingsTab->Alarm2LowEdit}) {
        edit->setText("1");
    }
    for (QComboBox* list :
         {form_->SettingsTab->Alarm1ModeList, form_->SettingsTab->Alarm2ModeList,
          form_->SettingsTab->LoggerModeList, form_->SettingsTab->BuzzerList,
          form_->SettingsTab->RecordIntervalAl1List, form_->SettingsTab->RecordIntervalAl2List,
          form_->SettingsTab->RecordIntervalList}) {
        list->setCurrentIndex(0);
    }
    QTest::mouseClick(form_->SettingsTab->SaveSettingsButton, Qt::LeftButton);
    EXPECT_TRUE(handlers.SettingsWritePending());
    ClickConnect();
    EXPECT_FALSE(handlers.SettingsWritePending());

    EXPECT_EQ(form_->SettingsTab->DisplayUnitList->currentText(), "°C-°Cdp");
    EXPECT_EQ(form_->SettingsTab->DisplayUnitCopy1List->currentText(), "t-tdp");
    EXPECT_EQ(form_->SettingsTab->TemperatureUnitList->currentText(), "°F");
    EXPECT_EQ(form_->SettingsTab->Alarm1HighEdit->text(), "-5");
    EXPECT_EQ(form_->SettingsTab->ManualTemperatureEdit->text(), "-12.34");

    // Saved without edits: every value the instrument reported goes back to it.
    QTest::mouseClick(form_->SettingsTab->SaveSettingsButton, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return Shown(form_->SettingsTab->StatusLabel); }));
    EXPECT_EQ(form_->SettingsTab->StatusLabel->text(), "Zapisano!");
    EXPECT_EQ(instrument.LastSettingsFrame(), kUnchangedFrame);
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::SettingsFrame), 1u);
    EXPECT_FALSE(handlers.SettingsWritePending());

    // Edited and saved: the frame carries the edits, the rest unchanged.
    form_->SettingsTab->Alarm1HighEdit->setText("12.5");
    form_->SettingsTab->BuzzerList->setCurrentIndex(2);
    form_->SettingsTab->ManualTemperatureEdit->setText("18.25");
    QTest::mouseClick(form_->SettingsTab->SaveSettingsButton, Qt::LeftButton);
    EXPECT_FALSE(Shown(form_->SettingsTab->StatusLabel))
        << "the last write's outcome is gone until this one ends";
    ASSERT_TRUE(WaitFor([&] { return Shown(form_->SettingsTab->StatusLabel); }));
    EXPECT_EQ(form_->SettingsTab->StatusLabel->text(), "Zapisano!");
    EXPECT_EQ(instrument.LastSettingsFrame(), kEditedFrame);

    // Read back: the tab shows what the instrument now holds, not what was typed since.
    form_->SettingsTab->Alarm1HighEdit->setText("0");
    form_->SettingsTab->BuzzerList->setCurrentIndex(0);
    form_->SettingsTab->ManualTemperatureEdit->setText("0");
    ClickAndWait(form_->SettingsTab->ReadSettingsButton);
    EXPECT_EQ(form_->SettingsTab->Alarm1HighEdit->text(), "12.5");
    EXPECT_EQ(form_->SettingsTab->BuzzerList->currentText(), "AL2");
    EXPECT_EQ(form_->SettingsTab->ManualTemperatureEdit->text(), "18.25");
    EXPECT_EQ(form_->SettingsTab->Alarm1LowEdit->text(), "22.5");
    EXPECT_EQ(form_->SettingsTab->CleaningIntervalEdit->text(), "300");
    EXPECT_EQ(form_->SettingsTab->PressureEdit->text(), "31.25");
    EXPECT_EQ(modals_.boxes().size(), 1) << "only the identification box";
}

TEST_F(SettingsTest, FailuresAreShownAndLeaveTheTabAsItWas) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    instrument.SetSettings(DistinctSettings());
    MakeWindow({instrument.SlavePath()});
    ClickConnect();
    ASSERT_EQ(form_->SettingsTab->Alarm1HighEdit->text(), "-5");
    InstrumentSession& handlers = controller_->session();

    // A read that brings nothing, or too little, fills nothing.
    struct ReadCase {
        const char* name;
        sim::Bytes reply;
    };
    const ReadCase reads[] = {
        {"short", sim::Bytes(30, 0x11)},
        {"silent", sim::Bytes{}},
    };
    for (const ReadCase& c : reads) {
        SCOPED_TRACE(c.name);
        form_->SettingsTab->StatusLabel->hide();
        const auto before = TabSnapshot(*form_);
        const std::size_t asked = instrument.RequestCount(sim::RequestKind::SettingsRead);
        instrument.QueueReply(sim::RequestKind::SettingsRead, c.reply);
        ClickAndWait(form_->SettingsTab->ReadSettingsButton);
        EXPECT_EQ(instrument.RequestCount(sim::RequestKind::SettingsRead), asked + 1);
        EXPECT_TRUE(Shown(form_->SettingsTab->StatusLabel));
        EXPECT_EQ(form_->SettingsTab->StatusLabel->text(), "Brak komunikacji !");
        EXPECT_EQ(TabSnapshot(*form_), before);
    }

    // An edit that is no number stops the Save: the message, nothing armed, nothing sent.
    modals_.clear();
    form_->SettingsTab->Alarm1LowEdit->setText("abc");
    QTest::mouseClick(form_->SettingsTab->SaveSettingsButton, Qt::LeftButton);
    ASSERT_EQ(modals_.boxes().size(), 1);
    EXPECT_EQ(modals_.boxes()[0].text, "'abc' is not a valid floating point value.");
    EXPECT_EQ(modals_.boxes()[0].format, Qt::PlainText);
    EXPECT_FALSE(handlers.SettingsWritePending());
    const std::size_t polls = instrument.RequestCount(sim::RequestKind::Measurement);
    ASSERT_TRUE(instrument.WaitForRequests(sim::RequestKind::Measurement, polls + 2, 5s));
    EXPECT_EQ(instrument.RequestCount(sim::RequestKind::SettingsFrame), 0u);
    form_->SettingsTab->Alarm1LowEdit->setText("22.5");

    // The instrument did not confirm: the operator sees it, and the write is not repeated.
    struct WriteCase {
        const char* name;
        std::optional<sim::Bytes> answer;
    };
    const WriteCase writes[] = {
        {"no answer", std::nullopt},
        {"OK!", sim::Bytes{'O', 'K', '!'}},
    };
    std::size_t frames = 0;
    for (const WriteCase& c : writes) {
        SCOPED_TRACE(c.name);
        instrument.SetSettingsFrameAnswer(c.answer);
        QTest::mouseClick(form_->SettingsTab->SaveSettingsButton, Qt::LeftButton);
        ASSERT_TRUE(WaitFor([&] { return Shown(form_->SettingsTab->StatusLabel); }));
        EXPECT_EQ(form_->SettingsTab->StatusLabel->text(), "Brak komunikacji !");
        EXPECT_EQ(instrument.RequestCount(sim::RequestKind::SettingsFrame), ++frames);
        EXPECT_FALSE(handlers.SettingsWritePending());
    }
}

TEST_F(SettingsTest, ReadBeforeConnectingIsRefusedAtOnce) {
    struct Case {
        bool englishUi;
        const char* message;
    };
    const Case cases[] = {
        // The same words as the logger's buttons.
        {false, "Brak połączenia z urządzeniem: najpierw naciśnij „Połącz”."},
        {true, "No instrument connected: press \"Connect\" first."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.englishUi ? "English" : "Polish");
        MakeWindow({}, c.englishUi);
        const auto before = TabSnapshot(*form_);
        modals_.clear();
        ClickAndWait(form_->SettingsTab->ReadSettingsButton);
        ASSERT_EQ(modals_.boxes().size(), 1);
        EXPECT_EQ(modals_.boxes()[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(modals_.boxes()[0].format, Qt::PlainText);
        EXPECT_FALSE(Shown(form_->SettingsTab->StatusLabel));
        EXPECT_EQ(TabSnapshot(*form_), before);
        controller_.reset();
    }
}

TEST_F(SettingsTest, HiddenUnitListsShowTheChosenUnitEvenWithoutSuchAnItem) {
    MakeWindow({});
    struct Case {
        QComboBox* chosen;
        int index;
        QComboBox* first;
        QComboBox* second;
        const char* shown;
    };
    // In order: a text the hidden lists lack, then back to one they have.
    const Case cases[] = {
        {form_->SettingsTab->DisplayUnitList, 2, form_->SettingsTab->DisplayUnitCopy1List,
         form_->SettingsTab->DisplayUnitCopy2List, "ppmV"},
        {form_->SettingsTab->DisplayUnitList, 0, form_->SettingsTab->DisplayUnitCopy1List,
         form_->SettingsTab->DisplayUnitCopy2List, "°Cdp"},
        {form_->SettingsTab->DisplayUnitList, 8, form_->SettingsTab->DisplayUnitCopy1List,
         form_->SettingsTab->DisplayUnitCopy2List, "°F-°Fdp"},
        {form_->SettingsTab->DisplayUnitList, 5, form_->SettingsTab->DisplayUnitCopy1List,
         form_->SettingsTab->DisplayUnitCopy2List, "°C"},
        {form_->SettingsTab->TemperatureUnitList, 1, form_->SettingsTab->TemperatureUnitCopy1List,
         form_->SettingsTab->TemperatureUnitCopy2List, "°F"},
        {form_->SettingsTab->TemperatureUnitList, 0, form_->SettingsTab->TemperatureUnitCopy1List,
         form_->SettingsTab->TemperatureUnitCopy2List, "°C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        c.chosen->setCurrentIndex(c.index);
        emit c.chosen->activated(c.index);  // as when the operator picks the item
        EXPECT_EQ(c.first->currentText(), c.shown);
        EXPECT_EQ(c.second->currentText(), c.shown);
    }
}

}  // namespace
