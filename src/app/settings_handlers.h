#pragma once
// The Settings tab: reading the instrument's settings into the tab, Save, the unit-list
// change handlers, and the settings write that the measurement worker makes.

#include <QObject>

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

public slots:
    void Button2Click();
    void ZapisUstawienClick();
    void ComboBox1Change();
    void ComboBox10Change();

private:
    TForm1& form_;
    InstrumentLink& link_;
    const bool englishUi_;
};
