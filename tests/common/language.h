#pragma once
// Texts made while another interface language is in place.

#include <gtest/gtest.h>

#include "texts/interface_language.h"

// What `make` gives with the English interface's texts in place.
template <typename Make>
auto InEnglish(Make make) {
    const InterfaceTranslator english(InterfaceLanguage::English);
    EXPECT_TRUE(english.Loaded());
    return make();
}
