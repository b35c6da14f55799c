#include "app/settings_handlers.h"

SettingsHandlers::SettingsHandlers(TForm1& form, InstrumentLink& link, bool englishUi)
    : form_(form), link_(link), englishUi_(englishUi) {}

void SettingsHandlers::ClearPending() {}
void SettingsHandlers::ReadInstrumentSettings() {}
void SettingsHandlers::WritePendingSettings(InstrumentLink&) {}
void SettingsHandlers::Button2Click() {}
void SettingsHandlers::ZapisUstawienClick() {}
void SettingsHandlers::ComboBox1Change() {}
void SettingsHandlers::ComboBox10Change() {}
