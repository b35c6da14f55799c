#include "headless/settings_listing.h"

#include <QCoreApplication>
#include <QLocale>
#include <span>

#include "settings/settings_decimal.h"
#include "settings/settings_lists.h"

namespace {

constexpr int kTenths = 1;
constexpr int kHundredths = 2;

QString Item(std::span<const char* const> items, int index, int code) {
    if (index >= 0 && static_cast<std::size_t>(index) < items.size()) {
        return QString::fromUtf8(items[static_cast<std::size_t>(index)]);
    }
    return QStringLiteral("code %1").arg(code);
}

// The item of a list whose index is the code.
QString Coded(std::span<const char* const> items, std::uint8_t code) {
    return Item(items, code, code);
}

// Only the exact codes of the two ranges, not the neighbours the tab rounds down to them.
QString OutputRange(std::uint8_t code) {
    const int index = code % kOutputRangeCodeStep == 0 ? code / kOutputRangeCodeStep : -1;
    return Item(kOutputRangeItems, index, code);
}

// In the interface's language, as the Settings tab shows it.
QString AlarmMode(std::uint8_t code) {
    if (code < kAlarmModeItems.size()) {
        return QCoreApplication::translate("AlarmMode", kAlarmModeItems[code]);
    }
    return QStringLiteral("code %1").arg(code);
}

QString TemperatureScale(std::uint8_t code) {
    return Item(kTemperatureScaleItems, code - kTemperatureScaleCodeBase, code);
}

QString Decimal(std::int16_t value, int decimals) {
    return FormatSettingsDecimal(value, decimals, QLocale::c());
}

}  // namespace

QStringList SettingsListing(const InstrumentSettings& s) {
    // The manual temperature is in the instrument's scale; no unit when that is unknown.
    const int scale = s.TemperatureUnit - kTemperatureScaleCodeBase;
    const bool knownScale = scale >= 0 && scale < static_cast<int>(kTemperatureScaleItems.size());
    const QString manualUnit =
        knownScale ? QLatin1Char(' ') + TemperatureScale(s.TemperatureUnit) : QString();
    const std::pair<const char*, QString> fields[] = {
        {"DisplayUnit", Coded(kDisplayUnitItems, s.DisplayUnit)},
        {"TemperatureUnit", TemperatureScale(s.TemperatureUnit)},
        {"Alarm1Mode", AlarmMode(s.Alarm1Mode)},
        {"Alarm2Mode", AlarmMode(s.Alarm2Mode)},
        {"Output1Type", OutputRange(s.Output1Type)},
        {"Output2Type", OutputRange(s.Output2Type)},
        {"Alarm1HighExtra", QString::number(s.Alarm1HighExtra)},
        {"Alarm1LowExtra", QString::number(s.Alarm1LowExtra)},
        {"Output1MinExtra", QString::number(s.Output1MinExtra)},
        {"Output1MaxExtra", QString::number(s.Output1MaxExtra)},
        {"Buzzer", Coded(kBuzzerItems, s.Buzzer)},
        {"LoggerMode", Coded(kLoggerModeItems, s.LoggerMode)},
        {"RecordInterval", Coded(kRecordIntervalItems, s.RecordInterval)},
        {"RecordIntervalAl1", Coded(kRecordIntervalItems, s.RecordIntervalAl1)},
        {"RecordIntervalAl2", Coded(kRecordIntervalItems, s.RecordIntervalAl2)},
        {"Alarm1High", Decimal(s.Alarm1High, kTenths)},
        {"Alarm1Low", Decimal(s.Alarm1Low, kTenths)},
        {"Alarm2High", Decimal(s.Alarm2High, kTenths)},
        {"Alarm2Low", Decimal(s.Alarm2Low, kTenths)},
        {"Output1Min", Decimal(s.Output1Min, kTenths)},
        {"Output1Max", Decimal(s.Output1Max, kTenths)},
        {"Output2Min", Decimal(s.Output2Min, kTenths)},
        {"Output2Max", Decimal(s.Output2Max, kTenths)},
        {"CleaningInterval", QString::number(s.CleaningInterval) + QStringLiteral(" h")},
        {"ManualTemperature", Decimal(s.ManualTemperature, kHundredths) + manualUnit},
        {"Pressure", Decimal(s.Pressure, kHundredths) + QStringLiteral(" bar")},
    };
    QStringList lines;
    for (const auto& [name, value] : fields) {
        lines << QString::fromLatin1(name) + QStringLiteral(" = ") + value;
    }
    return lines;
}
