#pragma once
// The Settings tab: reading the instrument's settings into the tab, Save, the unit-list
// change handlers, and the settings write that the measurement worker makes.

#include <QObject>

#include "settings/instrument_settings.h"
#include "settings/pending_settings.h"
#include "settings/settings_tab.h"

class InstrumentLink;
class TForm1;

class SettingsHandlers : public QObject {
    Q_OBJECT
  public:
    SettingsHandlers(TForm1& form, InstrumentLink& link, bool englishUi);

    // Connect's first step: a Save made before connecting is dropped.
    void ClearPending();
    // Asks "01s?end" and shows the reply in the tab (user-interface thread).
    void ReadInstrumentSettings();
    // The worker's hook after each poll: sends the pending settings frame, if any.
    void WritePendingSettings(InstrumentLink& link);

    // Whether a Save is waiting for the worker to send it (any thread).
    bool SettingsWritePending() const;

  public slots:
    void Button2Click();
    void ZapisUstawienClick();
    void ComboBox1Change();
    void ComboBox10Change();

  private:
    SettingsTabValues TabFromControls() const;
    void ShowInTab(const SettingsTabValues& tab);
    void ShowStatus(const QString& text);
    void ShowWriteOutcome(bool acknowledged);

    TForm1& form_;
    InstrumentLink& link_;
    const bool englishUi_;

    // What the tab last took from the instrument or the operator; user-interface thread only.
    // The Save keeps the four bytes the tab does not show from here.
    InstrumentSettings current_;

    // The Save the worker is to send, as one whole copy, so a frame never mixes two Saves.
    PendingSettings pending_;
};
