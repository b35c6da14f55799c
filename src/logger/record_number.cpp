#include "logger/record_number.h"

#include "logger/integer_text.h"

RecordNumberEntry RecordNumberFromText(const QString& text) {
    const std::optional<std::int32_t> value = IntegerFromText(text);
    if (!value) {
        return {false, 0, InvalidIntegerText(text)};
    }
    return {true, static_cast<std::uint8_t>(*value), QString()};
}
