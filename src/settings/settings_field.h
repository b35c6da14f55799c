#pragma once
// A setting named by the member of InstrumentSettings that holds it, so that no list of
// names is kept beside the settings table: `SettingsField(&InstrumentSettings::Buzzer)`.

#include <cstdint>

#include "settings/instrument_settings.h"

class SettingsField {
  public:
    constexpr SettingsField() = default;
    // Implicit, so that a member names its setting wherever one is asked for.
    constexpr SettingsField(std::uint8_t InstrumentSettings::*byte) : byte_(byte) {}
    constexpr SettingsField(std::int16_t InstrumentSettings::*word) : word_(word) {}

    friend constexpr bool operator==(const SettingsField&, const SettingsField&) = default;

  private:
    std::uint8_t InstrumentSettings::*byte_ = nullptr;
    std::int16_t InstrumentSettings::*word_ = nullptr;
};
