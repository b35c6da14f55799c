#include "logger/integer_text.h"

#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <optional>

namespace {

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

TEST(IntegerFromText, AcceptsOnlyBlanksSignAndDecimalDigits) {
    const IntegerCase cases[] = {
        {"0", 0},
        {"255", 255},
        {"-1", -1},
        {"+12", 12},
        {"-0", 0},
        {"007", 7},
        {" 7", 7},
        {"7\t ", 7},
        {"  -42  ", -42},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"00000000000000000002147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"abc", std::nullopt},
        {"12a", std::nullopt},
        {"a12", std::nullopt},
        {"1 2", std::nullopt},
        {"- 5", std::nullopt},
        {"--5", std::nullopt},
        {"1.5", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"$10", std::nullopt},
        {"\xD9\xA3", std::nullopt},      // ARABIC-INDIC DIGIT THREE
        {"\xEF\xBC\x93", std::nullopt},  // FULLWIDTH DIGIT THREE
        {"7\n", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "'");
        EXPECT_EQ(IntegerFromText(QString::fromUtf8(c.text)), c.expected);
    }
}

}  // namespace
