#include "logger/logger_messages.h"

#include <gtest/gtest.h>

#include "common/language.h"

namespace {

struct PortGoneCase {
    int reached;
    bool englishUi;
    const char* text;
};

TEST(LoggerDumpPortGoneText, NamesTheRecordReachedAndWhatTheFileHolds) {
    const PortGoneCase cases[] = {
        {0, false,
         "Połączenie z urządzeniem zostało przerwane przy rekordzie 0. "
         "Plik logged.txt jest pusty."},
        {1, false,
         "Połączenie z urządzeniem zostało przerwane przy rekordzie 1. "
         "Plik logged.txt zawiera rekord 0."},
        {37, false,
         "Połączenie z urządzeniem zostało przerwane przy rekordzie 37. "
         "Plik logged.txt zawiera rekordy od 0 do 36."},
        {0, true, "The connection to the instrument was lost at record 0. logged.txt is empty."},
        {1, true,
         "The connection to the instrument was lost at record 1. "
         "logged.txt holds record 0."},
        {255, true,
         "The connection to the instrument was lost at record 255. "
         "logged.txt holds records 0 to 254."},
    };
    for (const PortGoneCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.reached << (c.englishUi ? " en" : " pl"));
        const QString text = c.englishUi
                                 ? InEnglish([&] { return LoggerDumpPortGoneText(c.reached); })
                                 : LoggerDumpPortGoneText(c.reached);
        EXPECT_EQ(text, QString::fromUtf8(c.text));
    }
}

}  // namespace
