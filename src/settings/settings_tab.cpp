#include "settings/settings_tab.h"

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
    SaveSteps(const InstrumentSettings& previous, const QLocale& locale, bool englishUi)
        : settings_(previous), locale_(locale), englishUi_(englishUi) {}

    // Stores index × step + base, low 8 bits, from a list of `listSize` items.
    void List(std::uint8_t InstrumentSettings::*field, int index, std::size_t listSize,
              const char* control, int step = 1, int base = 0) {
        if (error_) {
            return;
        }
        if (IndexIn(index, listSize) < 0) {
            Fail(control, (englishUi_ ? QStringLiteral("%1: no item selected")
                                      : QStringLiteral("%1: nie wybrano pozycji"))
                              .arg(Caption(control)));
            return;
        }
        settings_.*field = static_cast<std::uint8_t>(index * step + base);
    }

    void Decimal(std::int16_t InstrumentSettings::*field, const QString& text, int decimals,
                 const char* control) {
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
                 const char* control) {
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
    QString Caption(const char* control) const {
        return SettingsControlCaption(QString::fromLatin1(control), englishUi_);
    }

    void Store(std::int16_t InstrumentSettings::*field, const SettingsNumber& number,
               const QString& text, const char* control, const QString& notANumber,
               const QString& lowest, const QString& highest) {
        switch (number.status) {
            case SettingsNumberStatus::Ok:
                settings_.*field = number.value;
                return;
            case SettingsNumberStatus::NotANumber:
                Fail(control, notANumber.arg(text));
                return;
            case SettingsNumberStatus::OutOfRange:
                Fail(control, (englishUi_ ? QStringLiteral("%1: '%2' is not in the range %3 to %4")
                                          : QStringLiteral("%1: '%2' jest poza zakresem od %3 do %4"))
                                  .arg(Caption(control), text, lowest, highest));
                return;
        }
    }

    void Fail(const char* control, const QString& message) {
        error_ = SaveError{QString::fromLatin1(control), message};
    }

    InstrumentSettings settings_;
    const QLocale& locale_;
    const bool englishUi_;
    std::optional<SaveError> error_;
};

}  // namespace

SettingsTabValues SettingsToTab(const InstrumentSettings& s, const QLocale& locale) {
    SettingsTabValues tab;
    tab.ComboBox1 = IndexIn(s.DisplayUnit, kDisplayUnitItems.size());
    tab.ComboBox2 = IndexIn(s.Output1Type / kOutputRangeCodeStep, kOutputRangeItems.size());
    tab.ComboBox3 = IndexIn(s.DisplayUnit, kHiddenUnitItems.size());
    tab.ComboBox4 = IndexIn(s.DisplayUnit, kHiddenUnitItems.size());
    tab.ComboBox5 = IndexIn(s.Output2Type / kOutputRangeCodeStep, kOutputRangeItems.size());
    tab.ComboBox6 = IndexIn(s.TemperatureUnit, kHiddenUnitItems.size());
    tab.ComboBox7 = IndexIn(s.Alarm1Mode, kAlarmModeItems.size());
    tab.ComboBox8 = IndexIn(s.TemperatureUnit, kHiddenUnitItems.size());
    tab.ComboBox9 = IndexIn(s.Alarm2Mode, kAlarmModeItems.size());
    tab.ComboBox10 =
        IndexIn(s.TemperatureUnit - kTemperatureScaleCodeBase, kTemperatureScaleItems.size());
    tab.ComboBox11 = IndexIn(s.LoggerMode, kLoggerModeItems.size());
    tab.ComboBox12 = IndexIn(s.Buzzer, kBuzzerItems.size());
    tab.ComboBox15 = IndexIn(s.RecordInterval, kRecordIntervalItems.size());
    tab.ComboBox13 = IndexIn(s.RecordIntervalAl1, kRecordIntervalItems.size());
    tab.ComboBox14 = IndexIn(s.RecordIntervalAl2, kRecordIntervalItems.size());

    tab.Edit5 = FormatSettingsDecimal(s.Alarm1High, kTenths, locale);
    tab.Edit16 = FormatSettingsDecimal(s.Alarm1Low, kTenths, locale);
    tab.Edit1 = FormatSettingsDecimal(s.Output1Min, kTenths, locale);
    tab.Edit2 = FormatSettingsDecimal(s.Output1Max, kTenths, locale);
    tab.Edit17 = FormatSettingsDecimal(s.Alarm2High, kTenths, locale);
    tab.Edit18 = FormatSettingsDecimal(s.Alarm2Low, kTenths, locale);
    tab.Edit3 = FormatSettingsDecimal(s.Output2Min, kTenths, locale);
    tab.Edit4 = FormatSettingsDecimal(s.Output2Max, kTenths, locale);
    tab.Edit12 = QString::number(s.CleaningInterval);
    tab.Edit32 = FormatSettingsDecimal(s.ManualTemperature, kHundredths, locale);
    tab.Edit33 = FormatSettingsDecimal(s.Pressure, kHundredths, locale);
    return tab;
}

SaveResult TabToSettings(const SettingsTabValues& tab, const InstrumentSettings& previous,
                         const QLocale& locale, bool englishUi) {
    using S = InstrumentSettings;
    SaveSteps save(previous, locale, englishUi);
    save.List(&S::DisplayUnit, tab.ComboBox1, kDisplayUnitItems.size(), "ComboBox1");
    save.List(&S::TemperatureUnit, tab.ComboBox10, kTemperatureScaleItems.size(), "ComboBox10", 1,
              kTemperatureScaleCodeBase);
    save.List(&S::Alarm1Mode, tab.ComboBox7, kAlarmModeItems.size(), "ComboBox7");
    save.List(&S::Alarm2Mode, tab.ComboBox9, kAlarmModeItems.size(), "ComboBox9");
    save.List(&S::Buzzer, tab.ComboBox12, kBuzzerItems.size(), "ComboBox12");
    save.Decimal(&S::Alarm1High, tab.Edit5, kTenths, "Edit5");
    save.Decimal(&S::Alarm1Low, tab.Edit16, kTenths, "Edit16");
    save.Decimal(&S::Alarm2High, tab.Edit17, kTenths, "Edit17");
    save.Decimal(&S::Alarm2Low, tab.Edit18, kTenths, "Edit18");
    save.List(&S::Output1Type, tab.ComboBox2, kOutputRangeItems.size(), "ComboBox2",
              kOutputRangeCodeStep);
    save.List(&S::Output2Type, tab.ComboBox5, kOutputRangeItems.size(), "ComboBox5",
              kOutputRangeCodeStep);
    save.Decimal(&S::Output1Min, tab.Edit1, kTenths, "Edit1");
    save.Decimal(&S::Output1Max, tab.Edit2, kTenths, "Edit2");
    save.Decimal(&S::Output2Min, tab.Edit3, kTenths, "Edit3");
    save.Decimal(&S::Output2Max, tab.Edit4, kTenths, "Edit4");
    save.Integer(&S::CleaningInterval, tab.Edit12, "Edit12");
    save.List(&S::LoggerMode, tab.ComboBox11, kLoggerModeItems.size(), "ComboBox11");
    save.List(&S::RecordInterval, tab.ComboBox15, kRecordIntervalItems.size(), "ComboBox15");
    save.List(&S::RecordIntervalAl1, tab.ComboBox13, kRecordIntervalItems.size(), "ComboBox13");
    save.List(&S::RecordIntervalAl2, tab.ComboBox14, kRecordIntervalItems.size(), "ComboBox14");
    save.Decimal(&S::ManualTemperature, tab.Edit32, kHundredths, "Edit32");
    save.Decimal(&S::Pressure, tab.Edit33, kHundredths, "Edit33");
    return save.Result();
}
