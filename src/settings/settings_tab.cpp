#include "settings/settings_tab.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "settings/settings_captions.h"
#include "settings/settings_decimal.h"
#include "settings/settings_lists.h"

namespace {

constexpr int kTenths = 1;
constexpr int kHundredths = 2;
constexpr std::int16_t kWordMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int16_t kWordMax = std::numeric_limits<std::int16_t>::max();

// The list index for `code`, or -1 when the list has no such item.
int IndexIn(int code, std::size_t listSize) {
    return code >= 0 && static_cast<std::size_t>(code) < listSize ? code : -1;
}

// Runs the Save's steps in order; after the first failure the later steps do nothing.
class SaveSteps {
  public:
    SaveSteps(const InstrumentSettings& previous, const QLocale& locale)
        : settings_(previous), locale_(locale) {}

    // Stores index × step + base, low 8 bits, from a list of `listSize` items.
    void List(std::uint8_t InstrumentSettings::*field, int index, std::size_t listSize,
              SettingsField control, int step = 1, int base = 0) {
        if (error_) {
            return;
        }
        if (IndexIn(index, listSize) < 0) {
            Fail(control, QCoreApplication::translate("SettingsSave", "%1: nie wybrano pozycji")
                              .arg(SettingsFieldCaption(control)));
            return;
        }
        settings_.*field = static_cast<std::uint8_t>(index * step + base);
    }

    void Decimal(std::int16_t InstrumentSettings::*field, const QString& text, int decimals,
                 SettingsField control) {
        if (error_) {
            return;
        }
        const SettingsNumber number = ParseSettingsDecimal(text, decimals, locale_);
        Store(field, number, text, control,
              QStringLiteral("'%1' is not a valid floating point value"),
              FormatSettingsDecimal(kWordMin, decimals, locale_),
              FormatSettingsDecimal(kWordMax, decimals, locale_));
    }

    void Integer(std::int16_t InstrumentSettings::*field, const QString& text,
                 SettingsField control) {
        if (error_) {
            return;
        }
        Store(field, ParseSettingsInteger(text), text, control,
              QStringLiteral("'%1' is not a valid integer value"), QString::number(kWordMin),
              QString::number(kWordMax));
    }

    SaveResult Result() const {
        if (error_) {
            return *error_;
        }
        return settings_;
    }

  private:
    void Store(std::int16_t InstrumentSettings::*field, const SettingsNumber& number,
               const QString& text, SettingsField control, const QString& notANumber,
               const QString& lowest, const QString& highest) {
        switch (number.status) {
            case SettingsNumberStatus::Ok:
                settings_.*field = number.value;
                return;
            case SettingsNumberStatus::NotANumber:
                Fail(control, notANumber.arg(text));
                return;
            case SettingsNumberStatus::OutOfRange:
                Fail(control, QCoreApplication::translate("SettingsSave",
                                                          "%1: '%2' jest poza zakresem od %3 do %4")
                                  .arg(SettingsFieldCaption(control), text, lowest, highest));
                return;
        }
    }

    void Fail(SettingsField control, const QString& message) {
        error_ = SaveError{control, message};
    }

    InstrumentSettings settings_;
    const QLocale& locale_;
    std::optional<SaveError> error_;
};

}  // namespace

SettingsTabValues SettingsToTab(const InstrumentSettings& s, const QLocale& locale) {
    SettingsTabValues tab;
    tab.DisplayUnit = IndexIn(s.DisplayUnit, kDisplayUnitItems.size());
    tab.Output1Type = IndexIn(s.Output1Type / kOutputRangeCodeStep, kOutputRangeItems.size());
    tab.DisplayUnitCopy1 = IndexIn(s.DisplayUnit, kHiddenUnitItems.size());
    tab.DisplayUnitCopy2 = IndexIn(s.DisplayUnit, kHiddenUnitItems.size());
    tab.Output2Type = IndexIn(s.Output2Type / kOutputRangeCodeStep, kOutputRangeItems.size());
    tab.TemperatureUnitCopy1 = IndexIn(s.TemperatureUnit, kHiddenUnitItems.size());
    tab.Alarm1Mode = IndexIn(s.Alarm1Mode, kAlarmModeItems.size());
    tab.TemperatureUnitCopy2 = IndexIn(s.TemperatureUnit, kHiddenUnitItems.size());
    tab.Alarm2Mode = IndexIn(s.Alarm2Mode, kAlarmModeItems.size());
    tab.TemperatureUnit =
        IndexIn(s.TemperatureUnit - kTemperatureScaleCodeBase, kTemperatureScaleItems.size());
    tab.LoggerMode = IndexIn(s.LoggerMode, kLoggerModeItems.size());
    tab.Buzzer = IndexIn(s.Buzzer, kBuzzerItems.size());
    tab.RecordInterval = IndexIn(s.RecordInterval, kRecordIntervalItems.size());
    tab.RecordIntervalAl1 = IndexIn(s.RecordIntervalAl1, kRecordIntervalItems.size());
    tab.RecordIntervalAl2 = IndexIn(s.RecordIntervalAl2, kRecordIntervalItems.size());

    tab.Alarm1High = FormatSettingsDecimal(s.Alarm1High, kTenths, locale);
    tab.Alarm1Low = FormatSettingsDecimal(s.Alarm1Low, kTenths, locale);
    tab.Output1Min = FormatSettingsDecimal(s.Output1Min, kTenths, locale);
    tab.Output1Max = FormatSettingsDecimal(s.Output1Max, kTenths, locale);
    tab.Alarm2High = FormatSettingsDecimal(s.Alarm2High, kTenths, locale);
    tab.Alarm2Low = FormatSettingsDecimal(s.Alarm2Low, kTenths, locale);
    tab.Output2Min = FormatSettingsDecimal(s.Output2Min, kTenths, locale);
    tab.Output2Max = FormatSettingsDecimal(s.Output2Max, kTenths, locale);
    tab.CleaningInterval = QString::number(s.CleaningInterval);
    tab.ManualTemperature = FormatSettingsDecimal(s.ManualTemperature, kHundredths, locale);
    tab.Pressure = FormatSettingsDecimal(s.Pressure, kHundredths, locale);
    return tab;
}

SaveResult TabToSettings(const SettingsTabValues& tab, const InstrumentSettings& previous,
                         const QLocale& locale) {
    using S = InstrumentSettings;
    SaveSteps save(previous, locale);
    save.List(&S::DisplayUnit, tab.DisplayUnit, kDisplayUnitItems.size(),
              SettingsField::DisplayUnit);
    save.List(&S::TemperatureUnit, tab.TemperatureUnit, kTemperatureScaleItems.size(),
              SettingsField::TemperatureUnit, 1, kTemperatureScaleCodeBase);
    save.List(&S::Alarm1Mode, tab.Alarm1Mode, kAlarmModeItems.size(), SettingsField::Alarm1Mode);
    save.List(&S::Alarm2Mode, tab.Alarm2Mode, kAlarmModeItems.size(), SettingsField::Alarm2Mode);
    save.List(&S::Buzzer, tab.Buzzer, kBuzzerItems.size(), SettingsField::Buzzer);
    save.Decimal(&S::Alarm1High, tab.Alarm1High, kTenths, SettingsField::Alarm1High);
    save.Decimal(&S::Alarm1Low, tab.Alarm1Low, kTenths, SettingsField::Alarm1Low);
    save.Decimal(&S::Alarm2High, tab.Alarm2High, kTenths, SettingsField::Alarm2High);
    save.Decimal(&S::Alarm2Low, tab.Alarm2Low, kTenths, SettingsField::Alarm2Low);
    save.List(&S::Output1Type, tab.Output1Type, kOutputRangeItems.size(),
              SettingsField::Output1Type, kOutputRangeCodeStep);
    save.List(&S::Output2Type, tab.Output2Type, kOutputRangeItems.size(),
              SettingsField::Output2Type, kOutputRangeCodeStep);
    save.Decimal(&S::Output1Min, tab.Output1Min, kTenths, SettingsField::Output1Min);
    save.Decimal(&S::Output1Max, tab.Output1Max, kTenths, SettingsField::Output1Max);
    save.Decimal(&S::Output2Min, tab.Output2Min, kTenths, SettingsField::Output2Min);
    save.Decimal(&S::Output2Max, tab.Output2Max, kTenths, SettingsField::Output2Max);
    save.Integer(&S::CleaningInterval, tab.CleaningInterval, SettingsField::CleaningInterval);
    save.List(&S::LoggerMode, tab.LoggerMode, kLoggerModeItems.size(), SettingsField::LoggerMode);
    save.List(&S::RecordInterval, tab.RecordInterval, kRecordIntervalItems.size(),
              SettingsField::RecordInterval);
    save.List(&S::RecordIntervalAl1, tab.RecordIntervalAl1, kRecordIntervalItems.size(),
              SettingsField::RecordIntervalAl1);
    save.List(&S::RecordIntervalAl2, tab.RecordIntervalAl2, kRecordIntervalItems.size(),
              SettingsField::RecordIntervalAl2);
    save.Decimal(&S::ManualTemperature, tab.ManualTemperature, kHundredths,
                 SettingsField::ManualTemperature);
    save.Decimal(&S::Pressure, tab.Pressure, kHundredths, SettingsField::Pressure);
    return save.Result();
}
