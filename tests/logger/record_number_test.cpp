#include "logger/record_number.h"

#include <gtest/gtest.h>

#include <QString>
#include <cstdint>

namespace {

struct RecordNumberCase {
    const char* text;
    bool ok;
    std::uint8_t number;
    const char* error;
};

TEST(RecordNumberFromText, KeepsTheLowEightBitsOrNamesTheText) {
    const RecordNumberCase cases[] = {
        {"0", true, 0, ""},
        {"7", true, 7, ""},
        {"255", true, 255, ""},
        {"256", true, 0, ""},
        {"-1", true, 255, ""},
        {"-256", true, 0, ""},
        {"2147483647", true, 255, ""},
        {"-2147483648", true, 0, ""},
        {"abc", false, 0, "'abc' is not a valid integer value"},
        {"", false, 0, "'' is not a valid integer value"},
        {" 1x ", false, 0, "' 1x ' is not a valid integer value"},
        {"2147483648", false, 0, "'2147483648' is not a valid integer value"},
        {"%1", false, 0, "'%1' is not a valid integer value"},
    };
    for (const RecordNumberCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "'");
        const RecordNumberEntry entry = RecordNumberFromText(QString::fromUtf8(c.text));
        EXPECT_EQ(entry.ok, c.ok);
        if (c.ok) {
            EXPECT_EQ(entry.number, c.number);
        }
        EXPECT_EQ(entry.error, QString::fromUtf8(c.error));
    }
}

}  // namespace
