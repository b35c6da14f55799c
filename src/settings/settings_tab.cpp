#include "settings/settings_tab.h"

#include <QCoreApplication>
#include <cstdint>
#include <limits>
#include <optional>

#include "settings/settings_captions.h"
#include "settings/settings_decimal.h"
#include "settings/settings_lists.h"
#include "settings/settings_table.h"

namespace {

constexpr std::int16_t kWordMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int16_t kWordMax = std::numeric_limits<std::int16_t>::max();

// Runs the Save's steps in order; after the first failure the later steps do nothing.
class SaveSteps {
  public:
    SaveSteps(const InstrumentSettings& previous, const QLocale& locale)
        : settings_(previous), locale_(locale) {}

    void Take(const SettingsEntry& setting, const SettingsTabValues& tab) {
        switch (setting.kind) {
            case SettingsKind::List:
                List(setting.byte, tab.*(setting.index), *setting.list, setting.Field());
                return;
            case SettingsKind::Decimal:
                Decimal(setting.word, tab.*(setting.text), setting.decimals, setting.Field());
                return;
            case SettingsKind::Integer:
                Integer(setting.word, tab.*(setting.text), setting.Field());
                return;
            case SettingsKind::Kept:
                return;
        }
    }

    SaveResult Result() const {
        if (error_) {
            return *error_;
        }
        return settings_;
    }

  private:
    // Stores the code of the selected item, low 8 bits.
    void List(std::uint8_t InstrumentSettings::*field, int index, const SettingsItemList& list,
              SettingsField control) {
        if (error_) {
            return;
        }
        if (!HasItem(list, index)) {
            Fail(control, QCoreApplication::translate("SettingsSave", "%1: nie wybrano pozycji")
                              .arg(SettingsFieldCaption(control)));
            return;
        }
        settings_.*field = static_cast<std::uint8_t>(CodeOfItem(list, index));
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
    for (const SettingsEntry& setting : kSettingsTable) {
        switch (setting.kind) {
            case SettingsKind::List: {
                const int code = s.*(setting.byte);
                tab.*(setting.index) = ItemIndexForCode(*setting.list, code);
                for (const SettingsCopy& copy : setting.hiddenCopies) {
                    if (copy.index != nullptr) {
                        tab.*(copy.index) = ItemIndexForCode(kHiddenUnitList, code);
                    }
                }
                break;
            }
            case SettingsKind::Decimal:
                tab.*(setting.text) =
                    FormatSettingsDecimal(s.*(setting.word), setting.decimals, locale);
                break;
            case SettingsKind::Integer:
                tab.*(setting.text) = QString::number(s.*(setting.word));
                break;
            case SettingsKind::Kept:
                break;
        }
    }
    return tab;
}

SaveResult TabToSettings(const SettingsTabValues& tab, const InstrumentSettings& previous,
                         const QLocale& locale) {
    SaveSteps save(previous, locale);
    for (SettingsField field : kSaveOrder) {
        save.Take(SettingOf(field), tab);
    }
    return save.Result();
}
