#include "settings/settings_decimal.h"

#include <QStringView>
#include <algorithm>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr std::int64_t kWordMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kWordMax = std::numeric_limits<std::int16_t>::max();
// Any magnitude with more integer digits than this is out of a word's range; capping the
// digits read keeps the arithmetic small whatever the operator types.
constexpr std::int64_t kMaxWordDigits = 5;
constexpr std::int64_t kExponentCap = 1'000'000;

bool IsBlank(QChar c) {
    return c.unicode() <= u' ';
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

QStringView TrimBlanks(QStringView text) {
    while (!text.isEmpty() && IsBlank(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && IsBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

// A number as written: (-1)^negative × digits × 10^exponent, digits without leading zeros.
struct DecimalText {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

class TextCursor {
  public:
    explicit TextCursor(QStringView text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    bool Take(QStringView what) {
        if (what.isEmpty() || !text_.sliced(pos_).startsWith(what)) {
            return false;
        }
        pos_ += what.size();
        return true;
    }

    bool TakeOneOf(char16_t a, char16_t b) {
        if (AtEnd() || (text_[pos_] != a && text_[pos_] != b)) {
            return false;
        }
        ++pos_;
        return true;
    }

    bool TakeChar(char16_t c) { return TakeOneOf(c, c); }

    // Returns the run of ASCII digits at the cursor and steps over it.
    QStringView TakeDigits() {
        const qsizetype start = pos_;
        while (!AtEnd() && IsDigit(text_[pos_])) {
            ++pos_;
        }
        return text_.sliced(start, pos_ - start);
    }

  private:
    QStringView text_;
    qsizetype pos_ = 0;
};

// Steps over an optional sign; true when it was a minus.
bool TakeSign(TextCursor& in) {
    if (in.TakeChar(u'-')) {
        return true;
    }
    in.TakeChar(u'+');
    return false;
}

// Appends ASCII digits to `digits`, dropping zeros while it is still empty.
void AppendSignificantDigits(std::string& digits, QStringView more) {
    for (QChar c : more) {
        if (!digits.empty() || c != u'0') {
            digits.push_back(static_cast<char>(c.unicode()));
        }
    }
}

std::optional<DecimalText> ReadDecimalText(QStringView text, QStringView separator) {
    TextCursor in(TrimBlanks(text));
    DecimalText number;
    number.negative = TakeSign(in);
    const QStringView whole = in.TakeDigits();
    QStringView fraction;
    if (in.Take(separator)) {
        fraction = in.TakeDigits();
    }
    if (whole.isEmpty() && fraction.isEmpty()) {
        return std::nullopt;
    }
    std::int64_t exponent = 0;
    if (in.TakeOneOf(u'e', u'E')) {
        const bool negativeExponent = TakeSign(in);
        const QStringView exponentDigits = in.TakeDigits();
        if (exponentDigits.isEmpty()) {
            return std::nullopt;
        }
        for (QChar c : exponentDigits) {
            exponent = std::min(exponent * 10 + (c.unicode() - u'0'), kExponentCap);
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (!in.AtEnd()) {
        return std::nullopt;
    }
    AppendSignificantDigits(number.digits, whole);
    AppendSignificantDigits(number.digits, fraction);
    number.exponent = exponent - fraction.size();
    return number;
}

// Rounds ±digits × 10^exponent to an integer (ties to even) and checks it fits a word.
SettingsNumber RoundToWord(const DecimalText& number) {
    const auto& digits = number.digits;
    const std::int64_t wholeDigits = static_cast<std::int64_t>(digits.size()) + number.exponent;
    if (digits.empty() || wholeDigits < 0) {
        return {SettingsNumberStatus::Ok, 0};
    }
    if (wholeDigits > kMaxWordDigits) {
        return {SettingsNumberStatus::OutOfRange, 0};
    }
    std::int64_t magnitude = 0;
    for (std::int64_t i = 0; i < wholeDigits; ++i) {
        const auto index = static_cast<std::size_t>(i);
        magnitude = magnitude * 10 + (index < digits.size() ? digits[index] - '0' : 0);
    }
    const auto dropped = static_cast<std::size_t>(wholeDigits);
    if (dropped < digits.size()) {
        const int first = digits[dropped] - '0';
        const bool moreBehind =
            std::any_of(digits.begin() + static_cast<std::ptrdiff_t>(dropped) + 1, digits.end(),
                        [](char c) { return c != '0'; });
        const bool odd = (magnitude % 2) != 0;
        if (first > 5 || (first == 5 && (moreBehind || odd))) {
            ++magnitude;
        }
    }
    const std::int64_t value = number.negative ? -magnitude : magnitude;
    if (value < kWordMin || value > kWordMax) {
        return {SettingsNumberStatus::OutOfRange, 0};
    }
    return {SettingsNumberStatus::Ok, static_cast<std::int16_t>(value)};
}

}  // namespace

QString FormatSettingsDecimal(std::int16_t value, int decimals, const QLocale& locale) {
    int divisor = 1;
    for (int i = 0; i < decimals; ++i) {
        divisor *= 10;
    }
    const int magnitude = value < 0 ? -static_cast<int>(value) : value;
    QString text = value < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / divisor);
    QString fraction = QString::number(magnitude % divisor).rightJustified(decimals, u'0');
    while (fraction.endsWith(u'0')) {
        fraction.chop(1);
    }
    if (!fraction.isEmpty()) {
        text += locale.decimalPoint() + fraction;
    }
    return text;
}

SettingsNumber ParseSettingsDecimal(const QString& text, int decimals, const QLocale& locale) {
    const QString separator = locale.decimalPoint();
    auto number = ReadDecimalText(text, separator);
    if (!number) {
        return {SettingsNumberStatus::NotANumber, 0};
    }
    number->exponent += decimals;
    return RoundToWord(*number);
}

SettingsNumber ParseSettingsInteger(const QString& text) {
    TextCursor in(TrimBlanks(text));
    DecimalText number;
    number.negative = TakeSign(in);
    const QStringView digits = in.TakeDigits();
    if (digits.isEmpty() || !in.AtEnd()) {
        return {SettingsNumberStatus::NotANumber, 0};
    }
    AppendSignificantDigits(number.digits, digits);
    return RoundToWord(number);
}
