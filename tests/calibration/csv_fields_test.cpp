// The points file's fields: quoted as spreadsheets quote them, split back exactly.
#include "calibration/csv_fields.h"

#include <gtest/gtest.h>

namespace calibration {
namespace {

TEST(CsvFields, QuotedOnlyWhereNeededAndSplitBackExactly) {
    struct Row {
        QStringList fields;
        QString line;
    };
    const Row rows[] = {
        {{"a", "b", ""}, "a,b,"},
        {{""}, ""},
        {{"Sonda 7, hala B"}, "\"Sonda 7, hala B\""},
        {{"12\" probe", "x"}, "\"12\"\" probe\",x"},
        {{" padded "}, "\" padded \""},
        {{"°C", "ąęł"}, "°C,ąęł"},
        {{"\"\"", ","}, "\"\"\"\"\"\",\",\""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line.toStdString());
        EXPECT_EQ(CsvLine(r.fields), r.line);
        const std::optional<QStringList> split = SplitCsvLine(r.line);
        ASSERT_TRUE(split.has_value());
        EXPECT_EQ(*split, r.fields);
    }
}

TEST(CsvFields, BrokenQuotingIsNoLine) {
    for (const char* line : {"\"open", "a,\"open,b", "\"closed\"x,b", "\""}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(SplitCsvLine(QString::fromUtf8(line)).has_value());
    }
}

TEST(CsvFields, TextsBecomeSingleLines) {
    EXPECT_EQ(SingleLine("a\r\nb\tc\x01"), "a  b c ");
    EXPECT_EQ(SingleLine("zwykły tekst"), "zwykły tekst");
}

}  // namespace
}  // namespace calibration
