#include "app/settings_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <variant>

#include "app/error_box.h"
#include "app/form_controls.h"
#include "app/item_lists.h"
#include "session/connect_texts.h"
#include "session/instrument_session.h"
#include "settings/settings_table.h"

namespace {

// Texts of the tab's status caption, the same in every interface language.
const QString kNoCommunication = QStringLiteral("Brak komunikacji !");
const QString kSaved = QStringLiteral("Zapisano!");

// Selects item `index` (-1: none). A hidden list may have been left showing a text of its
// own; that goes.
void SelectIndex(QComboBox* list, int index) {
    list->setEditable(false);
    list->setCurrentIndex(index);
}

// Shows `text` in a list whose items may not hold it: the item when there is one,
// otherwise the text itself in the list's edit field.
void ShowTextInList(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        SelectIndex(list, index);
        return;
    }
    list->setEditable(true);
    list->setEditText(text);
}

// The list of `field` as its row in the settings table names it, with the row's items.
QComboBox* MakeSettingList(QWidget* page, SettingsField field, int index, const QRect& geometry) {
    return MakeComboBox(page, SettingOf(field).control, ItemsOf(field), index, geometry);
}

// The edit of `field` as its row in the settings table names it.
QLineEdit* MakeSettingEdit(QWidget* page, SettingsField field, const QString& text,
                           const QRect& geometry) {
    return MakeEdit(page, SettingOf(field).control, text, geometry);
}

// The page's control named `name`; there is one for every control the settings table names.
template <class Control>
Control* ControlNamed(const QWidget* page, const char* name) {
    auto* control = page->findChild<Control*>(QString::fromLatin1(name));
    if (control == nullptr) {
        qFatal("The Settings tab has no control %s for its setting", name);
    }
    return control;
}

}  // namespace

SettingsPage::SettingsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
    const FontLook heading{kHeadingPixels, false};
    BasicHeading = MakeLabel(this, "Label50", tr("Basic", "Label50"), QRect(56, 32, 0, 0), heading);
    AlarmsHeading =
        MakeLabel(this, "Label47", tr("Alarms", "Label47"), QRect(264, 32, 0, 0), heading);
    OutputsHeading = MakeLabel(this, "Label48", tr("Analogue Outputs", "Label48"),
                               QRect(424, 32, 0, 0), heading);
    LoggerHeading =
        MakeLabel(this, "Label49", tr("Logger", "Label49"), QRect(640, 32, 0, 0), heading);

    BuildBasic();
    BuildAlarms();
    BuildOutputs();
    BuildLogger();

    ReadSettingsButton =
        MakeButton(this, "Button2", tr("Odczytaj ustawienia", "Button2"), QRect(216, 400, 105, 25));
    SaveSettingsButton = MakeButton(this, "ZapisUstawien", tr("Zapisz ustawienia", "ZapisUstawien"),
                                    QRect(424, 400, 105, 25));

    BuildHidden();
    BindSettings();
}

void SettingsPage::BindSettings() {
    for (const SettingsEntry& setting : kSettingsTable) {
        switch (setting.kind) {
            case SettingsKind::List:
                lists_.push_back({setting.index, ControlNamed<QComboBox>(this, setting.control)});
                for (const SettingsCopy& copy : setting.hiddenCopies) {
                    if (copy.index != nullptr) {
                        lists_.push_back({copy.index, ControlNamed<QComboBox>(this, copy.control)});
                    }
                }
                break;
            case SettingsKind::Decimal:
            case SettingsKind::Integer:
                edits_.push_back({setting.text, ControlNamed<QLineEdit>(this, setting.control)});
                break;
            case SettingsKind::Kept:
                break;
        }
    }
}

void SettingsPage::BuildBasic() {
    DisplayUnitList =
        MakeSettingList(this, &InstrumentSettings::DisplayUnit, 0, QRect(104, 64, 57, 21));
    DisplayUnitCaption =
        MakeCaptionLeftOf(this, "Label7", tr("Displayed unit", "Label7"), DisplayUnitList);
    TemperatureUnitList =
        MakeSettingList(this, &InstrumentSettings::TemperatureUnit, 0, QRect(104, 96, 57, 21));
    TemperatureUnitCaption =
        MakeCaptionLeftOf(this, "Label24", tr("Temp System Unit", "Label24"), TemperatureUnitList);
    ManualTemperatureEdit = MakeSettingEdit(this, &InstrumentSettings::ManualTemperature, "22.5",
                                            QRect(104, 128, 49, 21));
    ManualTemperatureCaption =
        MakeCaptionLeftOf(this, "Label52", tr("Manual Temp.", "Label52"), ManualTemperatureEdit);
    PressureEdit =
        MakeSettingEdit(this, &InstrumentSettings::Pressure, "1.00", QRect(104, 160, 49, 21));
    PressureCaption = MakeCaptionLeftOf(this, "Label53", tr("Pressure", "Label53"), PressureEdit);
    PressureUnit = MakeLabel(this, "Label54", "bar", QRect(158, 164, 0, 0));
}

void SettingsPage::BuildAlarms() {
    BuzzerList = MakeSettingList(this, &InstrumentSettings::Buzzer, -1, QRect(280, 72, 73, 21));
    BuzzerCaption = MakeCaptionLeftOf(this, "Label45", tr("Buzzer", "Label45"), BuzzerList);

    Alarm1ModeList =
        MakeSettingList(this, &InstrumentSettings::Alarm1Mode, -1, QRect(280, 120, 73, 21));
    Alarm1ModeCaption =
        MakeCaptionLeftOf(this, "Label26", tr("Tryb pracy", "Label26"), Alarm1ModeList);
    Alarm1HighEdit =
        MakeSettingEdit(this, &InstrumentSettings::Alarm1High, QString(), QRect(304, 152, 49, 21));
    Alarm1HighCaption =
        MakeCaptionLeftOf(this, "Label6", tr("Próg górny", "Label6"), Alarm1HighEdit);
    Alarm1LowEdit =
        MakeSettingEdit(this, &InstrumentSettings::Alarm1Low, QString(), QRect(304, 184, 49, 21));
    Alarm1LowCaption =
        MakeCaptionLeftOf(this, "Label27", tr("Próg dolny", "Label27"), Alarm1LowEdit);

    Alarm2ModeList =
        MakeSettingList(this, &InstrumentSettings::Alarm2Mode, -1, QRect(280, 248, 73, 21));
    Alarm2ModeCaption =
        MakeCaptionLeftOf(this, "Label29", tr("Tryb pracy", "Label29"), Alarm2ModeList);
    Alarm2HighEdit =
        MakeSettingEdit(this, &InstrumentSettings::Alarm2High, QString(), QRect(304, 280, 49, 21));
    Alarm2HighCaption =
        MakeCaptionLeftOf(this, "Label30", tr("Próg górny", "Label30"), Alarm2HighEdit);
    Alarm2LowEdit =
        MakeSettingEdit(this, &InstrumentSettings::Alarm2Low, QString(), QRect(304, 312, 49, 21));
    Alarm2LowCaption =
        MakeCaptionLeftOf(this, "Label31", tr("Próg dolny", "Label31"), Alarm2LowEdit);
}

void SettingsPage::BuildOutputs() {
    Output1TypeList =
        MakeSettingList(this, &InstrumentSettings::Output1Type, 1, QRect(504, 72, 65, 21));
    Output1TypeCaption =
        MakeCaptionLeftOf(this, "Label1", tr("Rodzaj wyjścia", "Label1"), Output1TypeList);
    Output1MinEdit =
        MakeSettingEdit(this, &InstrumentSettings::Output1Min, QString(), QRect(504, 112, 49, 21));
    Output1MinCaption =
        MakeCaptionLeftOf(this, "Label4", tr("Wyjście 1 min", "Label4"), Output1MinEdit);
    Output1MaxEdit =
        MakeSettingEdit(this, &InstrumentSettings::Output1Max, QString(), QRect(504, 144, 49, 21));
    Output1MaxCaption =
        MakeCaptionLeftOf(this, "Label5", tr("Wyjście 1 max", "Label5"), Output1MaxEdit);

    Output2TypeList =
        MakeSettingList(this, &InstrumentSettings::Output2Type, 1, QRect(504, 248, 65, 21));
    Output2TypeCaption =
        MakeCaptionLeftOf(this, "Label32", tr("Rodzaj wyjścia", "Label32"), Output2TypeList);
    Output2MinEdit =
        MakeSettingEdit(this, &InstrumentSettings::Output2Min, QString(), QRect(504, 280, 49, 21));
    Output2MinCaption =
        MakeCaptionLeftOf(this, "Label2", tr("Wyjście 2 min", "Label2"), Output2MinEdit);
    Output2MaxEdit =
        MakeSettingEdit(this, &InstrumentSettings::Output2Max, QString(), QRect(504, 312, 49, 21));
    Output2MaxCaption =
        MakeCaptionLeftOf(this, "Label3", tr("Wyjście 2 max", "Label3"), Output2MaxEdit);
}

void SettingsPage::BuildLogger() {
    LoggerModeList =
        MakeSettingList(this, &InstrumentSettings::LoggerMode, -1, QRect(688, 72, 49, 21));
    LoggerModeCaption = MakeCaptionLeftOf(this, "Label46", tr("Mode", "Label46"), LoggerModeList);
    RecordIntervalAl1List =
        MakeSettingList(this, &InstrumentSettings::RecordIntervalAl1, -1, QRect(688, 112, 49, 21));
    RecordIntervalAl1Caption =
        MakeCaptionLeftOf(this, "Label51", tr("Record when AL1", "Label51"), RecordIntervalAl1List);
    RecordIntervalAl2List =
        MakeSettingList(this, &InstrumentSettings::RecordIntervalAl2, -1, QRect(688, 144, 49, 21));
    RecordIntervalAl2Caption =
        MakeCaptionLeftOf(this, "Label55", tr("Record when AL2", "Label55"), RecordIntervalAl2List);
    RecordIntervalList =
        MakeSettingList(this, &InstrumentSettings::RecordInterval, -1, QRect(688, 176, 49, 21));
    RecordIntervalCaption =
        MakeCaptionLeftOf(this, "Label56", tr("Record interval", "Label56"), RecordIntervalList);
}

// Controls that stay hidden for the whole run but still hold values.
void SettingsPage::BuildHidden() {
    StatusLabel =
        MakeLabel(this, "Label9", kNoCommunication, QRect(24, 472, 106, 13), FontLook{0, true});
    MakeRed(StatusLabel);
    StatusLabel->hide();

    CleaningIntervalCaption =
        MakeLabel(this, "Label19", tr("Czyszczenie co", "Label19"), QRect(272, 456, 0, 0));
    CleaningIntervalEdit = MakeSettingEdit(this, &InstrumentSettings::CleaningInterval, QString(),
                                           QRect(360, 448, 49, 21));
    CleaningIntervalUnit =
        MakeLabel(this, "Label20", tr("godzin(y)", "Label20"), QRect(416, 456, 0, 0));
    CleaningIntervalCaption->hide();
    HideAndDisable(CleaningIntervalEdit);
    CleaningIntervalUnit->hide();

    DisplayUnitCopy1List =
        MakeComboBox(this, "ComboBox3", HiddenUnitItems(), 0, QRect(576, 200, 57, 21));
    DisplayUnitCopy2List =
        MakeComboBox(this, "ComboBox4", HiddenUnitItems(), 0, QRect(88, 400, 57, 21));
    TemperatureUnitCopy1List =
        MakeComboBox(this, "ComboBox6", HiddenUnitItems(), 5, QRect(568, 192, 57, 21));
    TemperatureUnitCopy2List =
        MakeComboBox(this, "ComboBox8", HiddenUnitItems(), 5, QRect(64, 368, 57, 21));
    DisplayUnitCopy1Caption =
        MakeLabel(this, "Label18", tr("Jednostka", "Label18"), QRect(488, 208, 0, 0));
    TemperatureUnitCopy1Caption =
        MakeLabel(this, "Label33", tr("Jednostka", "Label33"), QRect(488, 192, 0, 0));
    DisplayUnitCopy2Caption =
        MakeLabel(this, "Label25", tr("Jednostki", "Label25"), QRect(24, 408, 0, 0));
    TemperatureUnitCopy2Caption =
        MakeLabel(this, "Label28", tr("Jednostki", "Label28"), QRect(16, 376, 0, 0));
    for (QComboBox* combo : {DisplayUnitCopy1List, DisplayUnitCopy2List, TemperatureUnitCopy1List,
                             TemperatureUnitCopy2List}) {
        HideAndDisable(combo);
    }
    for (QLabel* label : {DisplayUnitCopy1Caption, TemperatureUnitCopy1Caption,
                          DisplayUnitCopy2Caption, TemperatureUnitCopy2Caption}) {
        label->hide();
    }
}

void SettingsPage::Attach(InstrumentSession& session) {
    session_ = &session;
    connect(ReadSettingsButton, &QPushButton::clicked, this, &SettingsPage::ReadSettingsClicked);
    connect(SaveSettingsButton, &QPushButton::clicked, this, &SettingsPage::SaveSettingsClicked);
    connect(DisplayUnitList, &QComboBox::activated, this, &SettingsPage::DisplayUnitChosen);
    connect(TemperatureUnitList, &QComboBox::activated, this,
            &SettingsPage::TemperatureScaleChosen);
    connect(&session, &InstrumentSession::SettingsRead, this, &SettingsPage::ShowReadResult);
    connect(&session, &InstrumentSession::SettingsWritten, this, &SettingsPage::ShowWriteOutcome);
    // A scan that found nothing leaves its word in the (hidden) status caption.
    connect(&session, &InstrumentSession::NotFound, this,
            [this] { ShowLabelText(StatusLabel, NotFoundCaption()); });
}

void SettingsPage::ShowReadResult(const SettingsReadResult& read) {
    if (read.status != SettingsReplyStatus::Complete) {
        // Bytes that never came would decode as zeros or as an older reply: keep the tab.
        ShowStatus(kNoCommunication);
        return;
    }
    current_ = read.settings;
    ShowInTab(SettingsToTab(current_, QLocale()));
    StatusLabel->hide();
}

void SettingsPage::ReadSettingsClicked() {
    // Refused while another job runs: the button is disabled then, so a click that still
    // comes is dropped.
    if (session_->ReadSettings() == SessionRequest::NotConnected) {
        ShowErrorBox(window(), NotConnectedText());
    }
}

void SettingsPage::SaveSettingsClicked() {
    const SaveResult result = TabToSettings(TabFromControls(), current_, QLocale());
    if (const auto* error = std::get_if<SaveError>(&result)) {
        ShowErrorBox(window(), error->message);
        return;
    }
    current_ = std::get<InstrumentSettings>(result);
    session_->ArmSettingsWrite(current_);
    // The outcome of this write shows when it ends; an older one would mislead meanwhile.
    StatusLabel->hide();
}

void SettingsPage::DisplayUnitChosen() {
    const QString text = DisplayUnitList->currentText();
    ShowTextInList(DisplayUnitCopy1List, text);
    ShowTextInList(DisplayUnitCopy2List, text);
}

void SettingsPage::TemperatureScaleChosen() {
    const QString text = TemperatureUnitList->currentText();
    ShowTextInList(TemperatureUnitCopy1List, text);
    ShowTextInList(TemperatureUnitCopy2List, text);
}

SettingsTabValues SettingsPage::TabFromControls() const {
    SettingsTabValues tab;
    for (const auto& [index, list] : lists_) {
        tab.*index = list->currentIndex();
    }
    for (const auto& [text, edit] : edits_) {
        tab.*text = edit->text();
    }
    return tab;
}

void SettingsPage::ShowInTab(const SettingsTabValues& tab) {
    for (const auto& [index, list] : lists_) {
        SelectIndex(list, tab.*index);
    }
    for (const auto& [text, edit] : edits_) {
        edit->setText(tab.*text);
    }
}

void SettingsPage::ShowStatus(const QString& text) {
    ShowLabelText(StatusLabel, text);
    StatusLabel->show();
}

void SettingsPage::ShowWriteOutcome(bool acknowledged) {
    ShowStatus(acknowledged ? kSaved : kNoCommunication);
}
