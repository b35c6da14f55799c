#include "viewer/slice_value.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

struct SliceCase {
    std::string_view slice;
    double value;
};

TEST(ParseSliceValue, TakesTheLongestLeadingNumber) {
    using namespace std::string_view_literals;
    const SliceCase cases[] = {
        {" 12.5", 12.5},
        {"-3.25", -3.25},
        {"00.00", 0.0},
        {"", 0.0},
        {"     ", 0.0},
        {"-50\t2", -50.0},
        {"4512\t", 4512.0},
        {"12.5 ", 12.5},
        {"  +7", 7.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"0.1", 0.1},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"1e3", 1000.0},
        {"1E-2", 0.01},
        {"2.5e-3", 0.0025},
        {" +.5e1", 5.0},
        {"1,5", 1.0},
        {"12-34", 12.0},
        {".", 0.0},
        {"-", 0.0},
        {"-.e1", 0.0},
        {"abc", 0.0},
        {"\t4512", 0.0},
        {"\0\0\0\0\0"sv, 0.0},
        {"9e999", 0.0},
        {"1e-999", 0.0},
        {"12345678901234567890", 12345678901234567890.0},
        {"0.000000000000000000000000123", 1.23e-25},
        {"123456789.123456789e3", 123456789123.456789},
        {"1e22", 1e22},
        {"1e23", 1e23},
    };
    for (const SliceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.slice << '"');
        EXPECT_EQ(ParseSliceValue(c.slice), c.value);
    }
}

}  // namespace
