#pragma once
// Whether the English program has the command line's texts yet. They are written in Polish
// in the source and come into translations/hygrometer_en.ts with the next update of the
// translations; until then the English program shows them in Polish, and the tests of its
// English answers are skipped. Once any of them is there, all of them are checked.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "texts/interface_language.h"

inline bool EnglishCommandLineTexts() {
    const InterfaceTranslator english(InterfaceLanguage::English);
    const char* polish = "%1 wymaga ścieżki";
    return QCoreApplication::translate("CommandLine", polish) != QString::fromUtf8(polish);
}

#define SKIP_UNTIL_ENGLISH_COMMAND_LINE()                                                   \
    if (!EnglishCommandLineTexts()) {                                                       \
        GTEST_SKIP() << "the command line's English texts are not yet in hygrometer_en.ts"; \
    }
