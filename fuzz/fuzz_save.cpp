// The Save of the Settings tab and the record number of the Logger tab: the operator's
// selections and texts turned into the values the instrument is sent, with a decimal point
// and with a decimal comma.
//
// Input: a word for the format round trip; one byte per list of the tab (its value mod 32,
// minus 2, is the selected index); the four bytes the tab does not show; then the texts of
// the alarm thresholds, the output spans, the cleaning interval, the manual temperature,
// the pressure and the logger record number, each ended by a LF.

#include <QString>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <variant>

#include "logger/integer_text.h"
#include "logger/record_number.h"
#include "settings/settings_decimal.h"
#include "settings/settings_frame.h"
#include "settings/settings_lists.h"
#include "settings/settings_tab.h"
#include "settings/settings_table.h"
#include "support/decimal_reference.h"
#include "support/frame_fields.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"
#include "support/fuzz_locales.h"

namespace {

using T = SettingsTabValues;

constexpr double kWordLow = std::numeric_limits<std::int16_t>::min();
constexpr double kWordHigh = std::numeric_limits<std::int16_t>::max();

bool IsSettingsBlank(QChar c) {
    return c.unicode() <= u' ';
}
bool IsLoggerBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

SettingsNumber Convert(const SettingsEntry& setting, const QString& text, const QLocale& locale) {
    return setting.kind == SettingsKind::Integer
               ? ParseSettingsInteger(text)
               : ParseSettingsDecimal(text, setting.decimals, locale);
}

// The conversion against the exact reading of the text: a number rounds to the nearest
// integer, which is accepted when a word holds it. Right at a half the reading in binary
// cannot tell, so either answer passes there.
void CheckDecimal(const QString& text, int decimals, const QLocale& locale) {
    const SettingsNumber got = ParseSettingsDecimal(text, decimals, locale);
    const std::optional<double> number = ReferenceDecimal(text, locale.decimalPoint());
    if (!number) {
        FUZZ_CHECK(got.status == SettingsNumberStatus::NotANumber);
        return;
    }
    FUZZ_CHECK(got.status != SettingsNumberStatus::NotANumber);
    const double scaled = *number * std::pow(10.0, decimals);
    constexpr double kSlack = 1e-6;
    if (got.status == SettingsNumberStatus::Ok) {
        FUZZ_CHECK(std::fabs(got.value - scaled) <=
                   0.5 + kSlack * std::max(1.0, std::fabs(scaled)));
    }
    if (scaled > kWordLow - 0.5 + kSlack && scaled < kWordHigh + 0.5 - kSlack) {
        FUZZ_CHECK(got.status == SettingsNumberStatus::Ok);
    }
    if (scaled < kWordLow - 0.5 - kSlack || scaled > kWordHigh + 0.5 + kSlack) {
        FUZZ_CHECK(got.status == SettingsNumberStatus::OutOfRange);
    }
}

void CheckInteger(const QString& text) {
    const SettingsNumber got = ParseSettingsInteger(text);
    const std::optional<long long> number = ReferenceInteger(text, IsSettingsBlank);
    if (!number) {
        FUZZ_CHECK(got.status == SettingsNumberStatus::NotANumber);
    } else if (*number >= kWordLow && *number <= kWordHigh) {
        FUZZ_CHECK(got.status == SettingsNumberStatus::Ok && got.value == *number);
    } else {
        FUZZ_CHECK(got.status == SettingsNumberStatus::OutOfRange);
    }
}

void CheckRecordNumber(const QString& text) {
    const std::optional<long long> number = ReferenceInteger(text, IsLoggerBlank);
    const bool fits = number && *number >= std::numeric_limits<std::int32_t>::min() &&
                      *number <= std::numeric_limits<std::int32_t>::max();
    const std::optional<std::int32_t> integer = IntegerFromText(text);
    FUZZ_CHECK(integer.has_value() == fits);
    FUZZ_CHECK(!fits || *integer == *number);
    const RecordNumberEntry entry = RecordNumberFromText(text);
    FUZZ_CHECK(entry.ok == fits);
    FUZZ_CHECK(entry.ok == entry.error.isEmpty());
    if (fits) {
        FUZZ_CHECK(entry.number == static_cast<std::uint8_t>(*number));
    }
}

void CheckFormatRoundTrip(std::int16_t value, const QLocale& locale) {
    for (int decimals = 0; decimals <= 2; ++decimals) {
        const QString text = FormatSettingsDecimal(value, decimals, locale);
        const SettingsNumber back = ParseSettingsDecimal(text, decimals, locale);
        FUZZ_CHECK(back.status == SettingsNumberStatus::Ok && back.value == value);
        const std::optional<double> number = ReferenceDecimal(text, locale.decimalPoint());
        FUZZ_CHECK(number && std::llround(*number * std::pow(10.0, decimals)) == value);
    }
}

// What the Save must give: the value of every setting up to the first that fails, in the
// Save's order, whose control is then the one to blame.
SaveResult ExpectedSave(const SettingsTabValues& tab, const InstrumentSettings& previous,
                        const QLocale& locale) {
    InstrumentSettings s = previous;
    for (const SettingsField field : kSaveOrder) {
        const SettingsEntry& setting = SettingOf(field);
        if (setting.kind == SettingsKind::List) {
            const SettingsItemList& list = *setting.list;
            const int index = tab.*(setting.index);
            if (index < 0 || static_cast<std::size_t>(index) >= list.items.size()) {
                return SaveError{field, {}};
            }
            s.*(setting.byte) = static_cast<std::uint8_t>(index * list.step + list.base);
        } else {
            const SettingsNumber n = Convert(setting, tab.*(setting.text), locale);
            if (n.status != SettingsNumberStatus::Ok) {
                return SaveError{field, {}};
            }
            s.*(setting.word) = n.value;
        }
    }
    return s;
}

void CheckSave(const SettingsTabValues& tab, const InstrumentSettings& previous,
               const QLocale& locale) {
    const SaveResult saved = TabToSettings(tab, previous, locale);
    const SaveResult expected = ExpectedSave(tab, previous, locale);
    FUZZ_CHECK(saved.index() == expected.index());
    if (const auto* error = std::get_if<SaveError>(&saved)) {
        FUZZ_CHECK(error->field == std::get<SaveError>(expected).field);
        FUZZ_CHECK(!error->message.isEmpty());
        return;
    }
    const InstrumentSettings& s = std::get<InstrumentSettings>(saved);
    FUZZ_CHECK(s == std::get<InstrumentSettings>(expected));
    // The frame carries what the Save gave, byte for byte.
    const SettingsFrame frame = EncodeSettingsFrame(s);
    FUZZ_CHECK(SettingsFromFrame(frame) == s);
    FUZZ_CHECK(FrameFixedBytesInPlace(frame));
    // Shown again and saved again, nothing changes.
    const SaveResult again = TabToSettings(SettingsToTab(s, locale), s, locale);
    FUZZ_CHECK(std::holds_alternative<InstrumentSettings>(again) &&
               std::get<InstrumentSettings>(again) == s);
}

QString Text(FuzzInput& in) {
    const std::string_view bytes = in.Field('\n');
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const auto value = static_cast<std::int16_t>(in.Word());
    SettingsTabValues tab;
    for (int T::*list :
         {&T::DisplayUnit, &T::Output1Type, &T::DisplayUnitCopy1, &T::DisplayUnitCopy2,
          &T::Output2Type, &T::TemperatureUnitCopy1, &T::Alarm1Mode, &T::TemperatureUnitCopy2,
          &T::Alarm2Mode, &T::TemperatureUnit, &T::LoggerMode, &T::Buzzer, &T::RecordIntervalAl1,
          &T::RecordIntervalAl2, &T::RecordInterval}) {
        tab.*list = in.Byte() % 32 - 2;
    }
    // Fields the Save overwrites hold a pattern it must not keep.
    InstrumentSettings previous;
    previous.DisplayUnit = previous.Alarm1Mode = previous.Buzzer = 0xA5;
    previous.Pressure = previous.CleaningInterval = -12345;
    previous.Alarm1HighExtra = in.Byte();
    previous.Alarm1LowExtra = in.Byte();
    previous.Output1MinExtra = in.Byte();
    previous.Output1MaxExtra = in.Byte();
    for (QString T::*edit : {&T::Alarm1High, &T::Alarm1Low, &T::Alarm2High, &T::Alarm2Low,
                             &T::Output1Min, &T::Output1Max, &T::Output2Min, &T::Output2Max,
                             &T::CleaningInterval, &T::ManualTemperature, &T::Pressure}) {
        tab.*edit = Text(in);
    }
    const QString recordNumber = Text(in);

    CheckRecordNumber(recordNumber);
    CheckInteger(tab.CleaningInterval);
    const auto locales = FuzzLocales();
    for (const std::size_t i : {kCLocale, kPolishLocale}) {
        const QLocale& locale = locales[i].locale;
        CheckFormatRoundTrip(value, locale);
        for (const SettingsEntry& setting : kSettingsTable) {
            if (setting.kind == SettingsKind::Decimal) {
                CheckDecimal(tab.*(setting.text), setting.decimals, locale);
            }
        }
        CheckSave(tab, previous, locale);
    }
    return 0;
}
