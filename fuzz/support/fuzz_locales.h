#pragma once
// The locales the targets read and write with, each with the time rules the chart loader
// takes from it.

#include <QLocale>
#include <cstddef>
#include <span>

#include "viewer/time_text.h"

struct FuzzLocale {
    QLocale locale;
    TimeTextRules rules;
};

// Positions in FuzzLocales().
enum FuzzLocaleIndex : std::size_t {
    kCLocale,        // ":" and "."
    kUsLocale,       // 12-hour clock, "AM" and "PM"
    kPolishLocale,   // decimal comma
    kFinnishLocale,  // "." between hours and minutes, decimal comma
    kKoreanLocale,   // markers of several UTF-8 bytes, written before the time
    kArabicLocale,   // a decimal separator of two UTF-8 bytes
};

// Built once on first use, never changed afterwards.
std::span<const FuzzLocale> FuzzLocales();
