#include "viewer/data_line.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

struct SplitCase {
    std::string line;
    std::string_view timeText, slice1, slice2;
};

TEST(SplitDataLine, FindsTheFieldsByPosition) {
    const SplitCase cases[] = {
        // First columns of one to four characters: the TAB at positions 2 to 5.
        {"1\t10:00:00\t 12.5-3.25", "10:00:00", " 12.5", "-3.25"},
        {"12\t10:00:00\tAAAAABBBBBC", "10:00:00", "AAAAA", "BBBBB"},
        {"123\t10:00:00\tAAAAABBBBBC", "10:00:00", "AAAAA", "BBBBB"},
        {"1234\t10:00:00\tAAAAABBBBBC", "10:00:00", "AAAAA", "BBBBB"},
        // Five characters or more: as if the TAB stood at position 6.
        {"12345\t10:00:00\tAAAAABBBBBC", "10:00:00", "AAAAA", "BBBBB"},
        {"123456\t10:00:00\tAAAAABBBBB", "\t10:00:0", "\tAAAA", "ABBBB"},
        {"\t10:00:00\tAAAAABBBBB", ":00\tAAAA", "BBBBB", ""},
        // The character after the time is skipped whatever it is.
        {"1\t10:00:00XAAAAABBBBB", "10:00:00", "AAAAA", "BBBBB"},
        // A TAB inside the fields does not move them.
        {"1\t10:00\t00\tAA\tAABB\tBB", "10:00\t00", "AA\tAA", "BB\tBB"},
        // Short lines: fields cut where the line ends.
        {"", "", "", ""},
        {"1", "", "", ""},
        {"1\t10:00", "10:00", "", ""},
        {"1\t10:00:00\t12", "10:00:00", "12", ""},
        {"1\t10:00:00\t12.5 3", "10:00:00", "12.5 ", "3"},
        // Characters past the second slice are never read.
        {"1\t10:00:00\t12.5 " + std::string(200, 'x'), "10:00:00", "12.5 ", "xxxxx"},
        // Characters, not bytes: a two-byte first column character, five of them, and
        // non-ASCII characters inside the fields.
        {"\u00e9\t10:00:00\t1.5  2.5  ", "10:00:00", "1.5  ", "2.5  "},
        {"\u00e9\u00e9\u00e9\u00e9\t10:00:00\t1.5  2.5  ", "10:00:00", "1.5  ", "2.5  "},
        {"\u00e9\u00e9\u00e9\u00e9\u00e9\t10:00:00\t1.5  2.5  ", "10:00:00", "1.5  ", "2.5  "},
        {"1\t10:00:0\u00e9\t\u20ac\u20ac\u20ac\u20ac\u20ac\U0001F600234", "10:00:0\u00e9",
         "\u20ac\u20ac\u20ac\u20ac\u20ac", "\U0001F600234"},
        // Bytes that are not UTF-8 count one character each; a lead byte cut short by the
        // line end or by a byte that does not continue it is one character.
        {"1\t10:\xff\xfe"
         "00\t1.5",
         "10:\xff\xfe"
         "00\t",
         ".5", ""},
        {"\xc3\t10:00:00\tAAAAA", "10:00:00", "AAAAA", ""},
        {"1\t10:00:0\xe2\x82", "10:00:0\xe2\x82", "", ""},
        {"1\t10:00:0\xe2"
         "AAAAAAA",
         "10:00:0\xe2", "AAAAA", "A"},
        {"1\t\x80\x80\x80\x80\x80\x80\x80\x80XAAAAA", "\x80\x80\x80\x80\x80\x80\x80\x80", "AAAAA",
         ""},
        {std::string("1\t10:\0\0:00\tAAAAA", 16), std::string_view("10:\0\0:00", 8), "AAAAA", ""},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.line << '"');
        const DataLineFields fields = SplitDataLine(c.line);
        EXPECT_EQ(fields.timeText, c.timeText);
        EXPECT_EQ(fields.slice1, c.slice1);
        EXPECT_EQ(fields.slice2, c.slice2);
    }
}

}  // namespace
