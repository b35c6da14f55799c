#pragma once
// The Settings tab: the instrument's settings read into the tab, Save, and the unit-list
// change handlers. The session reads and writes; this shows what it answers. The tab's
// status caption (Label9) has this page as its one owner.

#include <QWidget>
#include <utility>
#include <vector>

#include "settings/instrument_settings.h"
#include "settings/settings_exchange.h"
#include "settings/settings_tab.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class InstrumentSession;

class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    explicit SettingsPage(QWidget* parent = nullptr);

    // The buttons ask `session`; what it answers shows here. Once, before use.
    void Attach(InstrumentSession& session);

    // Group headings.
    QLabel* Label50 = nullptr;
    QLabel* Label47 = nullptr;
    QLabel* Label48 = nullptr;
    QLabel* Label49 = nullptr;
    // Basic.
    QLabel* Label7 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label24 = nullptr;
    QComboBox* ComboBox10 = nullptr;
    QLabel* Label52 = nullptr;
    QLineEdit* Edit32 = nullptr;
    QLabel* Label53 = nullptr;
    QLineEdit* Edit33 = nullptr;
    QLabel* Label54 = nullptr;
    // Alarms.
    QLabel* Label45 = nullptr;
    QComboBox* ComboBox12 = nullptr;
    QLabel* Label26 = nullptr;
    QComboBox* ComboBox7 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLabel* Label27 = nullptr;
    QLineEdit* Edit16 = nullptr;
    QLabel* Label29 = nullptr;
    QComboBox* ComboBox9 = nullptr;
    QLabel* Label30 = nullptr;
    QLineEdit* Edit17 = nullptr;
    QLabel* Label31 = nullptr;
    QLineEdit* Edit18 = nullptr;
    // Analogue outputs.
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label32 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    // Logger options.
    QLabel* Label46 = nullptr;
    QComboBox* ComboBox11 = nullptr;
    QLabel* Label51 = nullptr;
    QComboBox* ComboBox13 = nullptr;
    QLabel* Label55 = nullptr;
    QComboBox* ComboBox14 = nullptr;
    QLabel* Label56 = nullptr;
    QComboBox* ComboBox15 = nullptr;
    // Buttons.
    QPushButton* Button2 = nullptr;
    QPushButton* ZapisUstawien = nullptr;
    // Hidden: status label, cleaning interval, unit lists kept in step with the visible ones.
    QLabel* Label9 = nullptr;
    QLabel* Label19 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QLabel* Label20 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QComboBox* ComboBox8 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label33 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label28 = nullptr;

  public slots:
    void ReadSettingsClicked();
    void SaveSettingsClicked();
    void DisplayUnitChosen();
    void TemperatureScaleChosen();

  private:
    void BuildBasic();
    void BuildAlarms();
    void BuildOutputs();
    void BuildLogger();
    void BuildHidden();
    // Finds the control of each setting by the name its row in the settings table gives.
    void BindSettings();
    // A read's answer, at connect or after the Read button.
    void ShowReadResult(const SettingsReadResult& read);
    void ShowWriteOutcome(bool acknowledged);
    SettingsTabValues TabFromControls() const;
    void ShowInTab(const SettingsTabValues& tab);
    void ShowStatus(const QString& text);

    // Each list and edit of the settings table with the tab value it shows.
    std::vector<std::pair<int SettingsTabValues::*, QComboBox*>> lists_;
    std::vector<std::pair<QString SettingsTabValues::*, QLineEdit*>> edits_;
    InstrumentSession* session_ = nullptr;
    // What the tab last took from the instrument or the operator. The Save keeps the four
    // bytes the tab does not show from here.
    InstrumentSettings current_;
};
