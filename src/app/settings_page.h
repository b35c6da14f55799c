#pragma once
// The Settings tab: the instrument's settings read into the tab, Save, and the unit-list
// change handlers. The session reads and writes; this shows what it answers. The tab's
// status caption (StatusLabel, Label9 by the design) has this page as its one owner. Members
// are named by what they are; each control's object name is the design's, which the settings
// table names the controls of its settings by.

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
    QLabel* BasicHeading = nullptr;
    QLabel* AlarmsHeading = nullptr;
    QLabel* OutputsHeading = nullptr;
    QLabel* LoggerHeading = nullptr;
    // Basic.
    QLabel* DisplayUnitCaption = nullptr;
    QComboBox* DisplayUnitList = nullptr;
    QLabel* TemperatureUnitCaption = nullptr;
    QComboBox* TemperatureUnitList = nullptr;
    QLabel* ManualTemperatureCaption = nullptr;
    QLineEdit* ManualTemperatureEdit = nullptr;
    QLabel* PressureCaption = nullptr;
    QLineEdit* PressureEdit = nullptr;
    QLabel* PressureUnit = nullptr;
    // Alarms.
    QLabel* BuzzerCaption = nullptr;
    QComboBox* BuzzerList = nullptr;
    QLabel* Alarm1ModeCaption = nullptr;
    QComboBox* Alarm1ModeList = nullptr;
    QLabel* Alarm1HighCaption = nullptr;
    QLineEdit* Alarm1HighEdit = nullptr;
    QLabel* Alarm1LowCaption = nullptr;
    QLineEdit* Alarm1LowEdit = nullptr;
    QLabel* Alarm2ModeCaption = nullptr;
    QComboBox* Alarm2ModeList = nullptr;
    QLabel* Alarm2HighCaption = nullptr;
    QLineEdit* Alarm2HighEdit = nullptr;
    QLabel* Alarm2LowCaption = nullptr;
    QLineEdit* Alarm2LowEdit = nullptr;
    // Analogue outputs.
    QLabel* Output1TypeCaption = nullptr;
    QComboBox* Output1TypeList = nullptr;
    QLabel* Output1MinCaption = nullptr;
    QLineEdit* Output1MinEdit = nullptr;
    QLabel* Output1MaxCaption = nullptr;
    QLineEdit* Output1MaxEdit = nullptr;
    QLabel* Output2TypeCaption = nullptr;
    QComboBox* Output2TypeList = nullptr;
    QLabel* Output2MinCaption = nullptr;
    QLineEdit* Output2MinEdit = nullptr;
    QLabel* Output2MaxCaption = nullptr;
    QLineEdit* Output2MaxEdit = nullptr;
    // Logger options.
    QLabel* LoggerModeCaption = nullptr;
    QComboBox* LoggerModeList = nullptr;
    QLabel* RecordIntervalAl1Caption = nullptr;
    QComboBox* RecordIntervalAl1List = nullptr;
    QLabel* RecordIntervalAl2Caption = nullptr;
    QComboBox* RecordIntervalAl2List = nullptr;
    QLabel* RecordIntervalCaption = nullptr;
    QComboBox* RecordIntervalList = nullptr;
    // Buttons.
    QPushButton* ReadSettingsButton = nullptr;
    QPushButton* SaveSettingsButton = nullptr;
    // Hidden: status label, cleaning interval, unit lists kept in step with the visible ones.
    QLabel* StatusLabel = nullptr;
    QLabel* CleaningIntervalCaption = nullptr;
    QLineEdit* CleaningIntervalEdit = nullptr;
    QLabel* CleaningIntervalUnit = nullptr;
    QComboBox* DisplayUnitCopy1List = nullptr;
    QComboBox* DisplayUnitCopy2List = nullptr;
    QComboBox* TemperatureUnitCopy1List = nullptr;
    QComboBox* TemperatureUnitCopy2List = nullptr;
    QLabel* DisplayUnitCopy1Caption = nullptr;
    QLabel* TemperatureUnitCopy1Caption = nullptr;
    QLabel* DisplayUnitCopy2Caption = nullptr;
    QLabel* TemperatureUnitCopy2Caption = nullptr;

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
