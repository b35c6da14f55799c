#include "headless/settings_listing.h"

#include <QLocale>

#include "settings/settings_decimal.h"
#include "settings/settings_lists.h"
#include "settings/settings_table.h"

namespace {

// Only an item's exact code shows as the item, not the neighbours the tab rounds down to it.
QString ListedItem(const SettingsItemList& list, int code) {
    const int index = ExactItemIndex(list, code);
    if (index < 0) {
        return QStringLiteral("code %1").arg(code);
    }
    return ItemText(list, index);
}

// The unit behind a number; none for a temperature while the scale is unknown.
QString UnitText(SettingsUnit unit, const InstrumentSettings& s) {
    switch (unit) {
        case SettingsUnit::None:
            return QString();
        case SettingsUnit::Hours:
            return QStringLiteral(" h");
        case SettingsUnit::Bar:
            return QStringLiteral(" bar");
        case SettingsUnit::TemperatureScale: {
            const int scale = ExactItemIndex(kTemperatureScaleList, s.TemperatureUnit);
            return scale < 0 ? QString()
                             : QLatin1Char(' ') + ItemText(kTemperatureScaleList, scale);
        }
    }
    return QString();
}

QString ValueText(const SettingsEntry& setting, const InstrumentSettings& s) {
    switch (setting.kind) {
        case SettingsKind::List:
            return ListedItem(*setting.list, s.*(setting.byte));
        case SettingsKind::Kept:
            return QString::number(s.*(setting.byte));
        case SettingsKind::Decimal:
            return FormatSettingsDecimal(s.*(setting.word), setting.decimals, QLocale::c()) +
                   UnitText(setting.unit, s);
        case SettingsKind::Integer:
            return QString::number(s.*(setting.word)) + UnitText(setting.unit, s);
    }
    return QString();
}

}  // namespace

QStringList SettingsListing(const InstrumentSettings& s) {
    QStringList lines;
    for (const SettingsEntry& setting : kSettingsTable) {
        lines << QString::fromLatin1(setting.name) + QStringLiteral(" = ") + ValueText(setting, s);
    }
    return lines;
}
