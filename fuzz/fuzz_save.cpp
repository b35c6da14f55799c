// The Save of the Settings tab and the record number of the Logger tab: the operator's
// selections and texts turned into the values the instrument is sent, with a decimal point
// and with a decimal comma.
//
// Input: a word for the format round trip; one byte per list ComboBox1..ComboBox15 (its
// value mod 32, minus 2, is the selected index); the four bytes the tab does not show; then
// the texts of Edit5, Edit16, Edit17, Edit18, Edit1, Edit2, Edit3, Edit4, Edit12, Edit32,
// Edit33 and Edit31, each ended by a LF.

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
#include "support/decimal_reference.h"
#include "support/frame_fields.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"
#include "support/fuzz_locales.h"

namespace {

using S = InstrumentSettings;
using T = SettingsTabValues;

struct ListStep {
    int T::*index;
    std::uint8_t S::*field;
    std::size_t items;
    int step;
    int base;
    const char* control;
};

// decimals < 0: a whole number (Edit12).
struct NumberStep {
    QString T::*text;
    std::int16_t S::*field;
    int decimals;
    const char* control;
};

using SaveStep = std::variant<ListStep, NumberStep>;

// The Save's steps in the order it takes them.
constexpr std::array<SaveStep, 22> kSaveSteps = {{
    ListStep{&T::ComboBox1, &S::DisplayUnit, kDisplayUnitItems.size(), 1, 0, "ComboBox1"},
    ListStep{&T::ComboBox10, &S::TemperatureUnit, kTemperatureScaleItems.size(), 1, 5,
             "ComboBox10"},
    ListStep{&T::ComboBox7, &S::Alarm1Mode, kAlarmModeItems.size(), 1, 0, "ComboBox7"},
    ListStep{&T::ComboBox9, &S::Alarm2Mode, kAlarmModeItems.size(), 1, 0, "ComboBox9"},
    ListStep{&T::ComboBox12, &S::Buzzer, kBuzzerItems.size(), 1, 0, "ComboBox12"},
    NumberStep{&T::Edit5, &S::Alarm1High, 1, "Edit5"},
    NumberStep{&T::Edit16, &S::Alarm1Low, 1, "Edit16"},
    NumberStep{&T::Edit17, &S::Alarm2High, 1, "Edit17"},
    NumberStep{&T::Edit18, &S::Alarm2Low, 1, "Edit18"},
    ListStep{&T::ComboBox2, &S::Output1Type, kOutputRangeItems.size(), 4, 0, "ComboBox2"},
    ListStep{&T::ComboBox5, &S::Output2Type, kOutputRangeItems.size(), 4, 0, "ComboBox5"},
    NumberStep{&T::Edit1, &S::Output1Min, 1, "Edit1"},
    NumberStep{&T::Edit2, &S::Output1Max, 1, "Edit2"},
    NumberStep{&T::Edit3, &S::Output2Min, 1, "Edit3"},
    NumberStep{&T::Edit4, &S::Output2Max, 1, "Edit4"},
    NumberStep{&T::Edit12, &S::CleaningInterval, -1, "Edit12"},
    ListStep{&T::ComboBox11, &S::LoggerMode, kLoggerModeItems.size(), 1, 0, "ComboBox11"},
    ListStep{&T::ComboBox15, &S::RecordInterval, kRecordIntervalItems.size(), 1, 0, "ComboBox15"},
    ListStep{&T::ComboBox13, &S::RecordIntervalAl1, kRecordIntervalItems.size(), 1, 0,
             "ComboBox13"},
    ListStep{&T::ComboBox14, &S::RecordIntervalAl2, kRecordIntervalItems.size(), 1, 0,
             "ComboBox14"},
    NumberStep{&T::Edit32, &S::ManualTemperature, 2, "Edit32"},
    NumberStep{&T::Edit33, &S::Pressure, 2, "Edit33"},
}};

constexpr double kWordLow = std::numeric_limits<std::int16_t>::min();
constexpr double kWordHigh = std::numeric_limits<std::int16_t>::max();

bool IsSettingsBlank(QChar c) {
    return c.unicode() <= u' ';
}
bool IsLoggerBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

SettingsNumber Convert(const QString& text, int decimals, const QLocale& locale) {
    return decimals < 0 ? ParseSettingsInteger(text) : ParseSettingsDecimal(text, decimals, locale);
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

// What the Save must give: the value of every step up to the first that fails, whose
// control is then the one to blame.
SaveResult ExpectedSave(const SettingsTabValues& tab, const InstrumentSettings& previous,
                        const QLocale& locale) {
    InstrumentSettings s = previous;
    for (const SaveStep& step : kSaveSteps) {
        if (const auto* list = std::get_if<ListStep>(&step)) {
            const int index = tab.*(list->index);
            if (index < 0 || static_cast<std::size_t>(index) >= list->items) {
                return SaveError{QLatin1String(list->control), {}};
            }
            s.*(list->field) = static_cast<std::uint8_t>(index * list->step + list->base);
        } else {
            const auto& number = std::get<NumberStep>(step);
            const SettingsNumber n = Convert(tab.*(number.text), number.decimals, locale);
            if (n.status != SettingsNumberStatus::Ok) {
                return SaveError{QLatin1String(number.control), {}};
            }
            s.*(number.field) = n.value;
        }
    }
    return s;
}

void CheckSave(const SettingsTabValues& tab, const InstrumentSettings& previous,
               const QLocale& locale, bool englishUi) {
    const SaveResult saved = TabToSettings(tab, previous, locale, englishUi);
    const SaveResult expected = ExpectedSave(tab, previous, locale);
    FUZZ_CHECK(saved.index() == expected.index());
    if (const auto* error = std::get_if<SaveError>(&saved)) {
        FUZZ_CHECK(error->control == std::get<SaveError>(expected).control);
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
    const SaveResult again = TabToSettings(SettingsToTab(s, locale), s, locale, englishUi);
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
         {&T::ComboBox1, &T::ComboBox2, &T::ComboBox3, &T::ComboBox4, &T::ComboBox5, &T::ComboBox6,
          &T::ComboBox7, &T::ComboBox8, &T::ComboBox9, &T::ComboBox10, &T::ComboBox11,
          &T::ComboBox12, &T::ComboBox13, &T::ComboBox14, &T::ComboBox15}) {
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
    for (QString T::*edit : {&T::Edit5, &T::Edit16, &T::Edit17, &T::Edit18, &T::Edit1, &T::Edit2,
                             &T::Edit3, &T::Edit4, &T::Edit12, &T::Edit32, &T::Edit33}) {
        tab.*edit = Text(in);
    }
    const QString recordNumber = Text(in);

    CheckRecordNumber(recordNumber);
    CheckInteger(tab.Edit12);
    const auto locales = FuzzLocales();
    for (const std::size_t i : {kCLocale, kPolishLocale}) {
        const QLocale& locale = locales[i].locale;
        CheckFormatRoundTrip(value, locale);
        for (const SaveStep& step : kSaveSteps) {
            if (const auto* number = std::get_if<NumberStep>(&step);
                number && number->decimals > 0) {
                CheckDecimal(tab.*(number->text), number->decimals, locale);
            }
        }
        // The refusals are worded in either interface language.
        CheckSave(tab, previous, locale, i == kCLocale);
    }
    return 0;
}
