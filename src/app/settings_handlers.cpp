#include "app/settings_handlers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <variant>

#include "app/error_box.h"
#include "app/main_window.h"
#include "session/instrument_session.h"
#include "settings/settings_frame.h"

namespace {

// Label9's design text, shown when the instrument did not answer a read or a write.
constexpr char kNoCommunication[] = "Brak komunikacji !";
// Without an open port a read would have nothing to ask; refused before touching the link.
constexpr char kNotConnectedPolish[] =
    "Brak połączenia z urządzeniem: najpierw naciśnij przycisk Połącz";
constexpr char kNotConnectedEnglish[] = "No instrument connected: press Connect first";

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

}  // namespace

SettingsHandlers::SettingsHandlers(TForm1& form, InstrumentSession& session, bool englishUi)
    : form_(form), session_(session), englishUi_(englishUi) {
    connect(&session_, &InstrumentSession::SettingsRead, this, &SettingsHandlers::ShowReadResult);
    connect(&session_, &InstrumentSession::SettingsWritten, this,
            &SettingsHandlers::ShowWriteOutcome);
}

bool SettingsHandlers::SettingsWritePending() const {
    return session_.SettingsWritePending();
}

void SettingsHandlers::ShowReadResult(const SettingsReadResult& read) {
    if (read.status != SettingsReplyStatus::Complete) {
        // Bytes that never came would decode as zeros or as an older reply: keep the tab.
        ShowStatus(QString::fromUtf8(kNoCommunication));
        return;
    }
    current_ = read.settings;
    ShowInTab(SettingsToTab(current_, QLocale()));
    form_.Label9->hide();
}

void SettingsHandlers::Button2Click() {
    // Refused while another job runs: the button is disabled then, so a click that still
    // comes is dropped.
    if (session_.ReadSettings() == SessionRequest::NotConnected) {
        ShowErrorBox(&form_,
                     QString::fromUtf8(englishUi_ ? kNotConnectedEnglish : kNotConnectedPolish));
    }
}

void SettingsHandlers::ZapisUstawienClick() {
    const SaveResult result = TabToSettings(TabFromControls(), current_, QLocale(), englishUi_);
    if (const auto* error = std::get_if<SaveError>(&result)) {
        ShowErrorBox(&form_, error->message);
        return;
    }
    current_ = std::get<InstrumentSettings>(result);
    session_.ArmSettingsWrite(current_);
    // The outcome of this write shows when it ends; an older one would mislead meanwhile.
    form_.Label9->hide();
}

void SettingsHandlers::ComboBox1Change() {
    const QString text = form_.ComboBox1->currentText();
    ShowTextInList(form_.ComboBox3, text);
    ShowTextInList(form_.ComboBox4, text);
}

void SettingsHandlers::ComboBox10Change() {
    const QString text = form_.ComboBox10->currentText();
    ShowTextInList(form_.ComboBox6, text);
    ShowTextInList(form_.ComboBox8, text);
}

SettingsTabValues SettingsHandlers::TabFromControls() const {
    SettingsTabValues tab;
    tab.ComboBox1 = form_.ComboBox1->currentIndex();
    tab.ComboBox2 = form_.ComboBox2->currentIndex();
    tab.ComboBox3 = form_.ComboBox3->currentIndex();
    tab.ComboBox4 = form_.ComboBox4->currentIndex();
    tab.ComboBox5 = form_.ComboBox5->currentIndex();
    tab.ComboBox6 = form_.ComboBox6->currentIndex();
    tab.ComboBox7 = form_.ComboBox7->currentIndex();
    tab.ComboBox8 = form_.ComboBox8->currentIndex();
    tab.ComboBox9 = form_.ComboBox9->currentIndex();
    tab.ComboBox10 = form_.ComboBox10->currentIndex();
    tab.ComboBox11 = form_.ComboBox11->currentIndex();
    tab.ComboBox12 = form_.ComboBox12->currentIndex();
    tab.ComboBox13 = form_.ComboBox13->currentIndex();
    tab.ComboBox14 = form_.ComboBox14->currentIndex();
    tab.ComboBox15 = form_.ComboBox15->currentIndex();
    tab.Edit1 = form_.Edit1->text();
    tab.Edit2 = form_.Edit2->text();
    tab.Edit3 = form_.Edit3->text();
    tab.Edit4 = form_.Edit4->text();
    tab.Edit5 = form_.Edit5->text();
    tab.Edit12 = form_.Edit12->text();
    tab.Edit16 = form_.Edit16->text();
    tab.Edit17 = form_.Edit17->text();
    tab.Edit18 = form_.Edit18->text();
    tab.Edit32 = form_.Edit32->text();
    tab.Edit33 = form_.Edit33->text();
    return tab;
}

void SettingsHandlers::ShowInTab(const SettingsTabValues& tab) {
    // The order in which the instrument's values reach the lists, then the edits.
    SelectIndex(form_.ComboBox1, tab.ComboBox1);
    SelectIndex(form_.ComboBox2, tab.ComboBox2);
    SelectIndex(form_.ComboBox3, tab.ComboBox3);
    SelectIndex(form_.ComboBox4, tab.ComboBox4);
    SelectIndex(form_.ComboBox5, tab.ComboBox5);
    SelectIndex(form_.ComboBox6, tab.ComboBox6);
    SelectIndex(form_.ComboBox7, tab.ComboBox7);
    SelectIndex(form_.ComboBox8, tab.ComboBox8);
    SelectIndex(form_.ComboBox9, tab.ComboBox9);
    SelectIndex(form_.ComboBox10, tab.ComboBox10);
    SelectIndex(form_.ComboBox11, tab.ComboBox11);
    SelectIndex(form_.ComboBox12, tab.ComboBox12);
    SelectIndex(form_.ComboBox15, tab.ComboBox15);
    SelectIndex(form_.ComboBox13, tab.ComboBox13);
    SelectIndex(form_.ComboBox14, tab.ComboBox14);
    form_.Edit5->setText(tab.Edit5);
    form_.Edit16->setText(tab.Edit16);
    form_.Edit1->setText(tab.Edit1);
    form_.Edit2->setText(tab.Edit2);
    form_.Edit17->setText(tab.Edit17);
    form_.Edit18->setText(tab.Edit18);
    form_.Edit3->setText(tab.Edit3);
    form_.Edit4->setText(tab.Edit4);
    form_.Edit12->setText(tab.Edit12);
    form_.Edit32->setText(tab.Edit32);
    form_.Edit33->setText(tab.Edit33);
}

void SettingsHandlers::ShowStatus(const QString& text) {
    form_.Label9->setText(text);
    form_.Label9->show();
}

void SettingsHandlers::ShowWriteOutcome(bool acknowledged) {
    ShowStatus(QString::fromUtf8(acknowledged ? kSettingsSavedCaption : kNoCommunication));
}
