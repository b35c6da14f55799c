#pragma once
// The Settings tab: reading the instrument's settings into the tab, Save, and the unit-list
// change handlers. The session reads and writes; this shows what it answers.

#include <QObject>

#include "settings/instrument_settings.h"
#include "settings/settings_exchange.h"
#include "settings/settings_tab.h"

class InstrumentSession;
class TForm1;

class SettingsHandlers : public QObject {
    Q_OBJECT
  public:
    SettingsHandlers(TForm1& form, InstrumentSession& session, bool englishUi);

    // Whether a Save is waiting for the worker to send it.
    bool SettingsWritePending() const;

  public slots:
    void Button2Click();
    void ZapisUstawienClick();
    void ComboBox1Change();
    void ComboBox10Change();

  private:
    // A read's answer, at connect or after Button2.
    void ShowReadResult(const SettingsReadResult& read);
    SettingsTabValues TabFromControls() const;
    void ShowInTab(const SettingsTabValues& tab);
    void ShowStatus(const QString& text);
    void ShowWriteOutcome(bool acknowledged);

    TForm1& form_;
    InstrumentSession& session_;
    const bool englishUi_;

    // What the tab last took from the instrument or the operator; user-interface thread only.
    // The Save keeps the four bytes the tab does not show from here.
    InstrumentSettings current_;
};
