#pragma once
// Helpers shared by the settings tests: replies built from byte patches, named field
// accessors and the two locales the tab is tested in.

#include <QLocale>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

#include "settings/instrument_settings.h"
#include "settings/settings_table.h"

// A failed check names the setting by its member.
inline void PrintTo(const SettingsField& field, std::ostream* out) {
    *out << SettingOf(field).name;
}

namespace settings_test {

struct BytePatch {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

// `length` bytes of `background` with the patches laid over them.
inline std::vector<std::uint8_t> BytesWith(const std::vector<BytePatch>& patches,
                                           std::size_t length, std::uint8_t background = 0) {
    std::vector<std::uint8_t> bytes(length, background);
    for (const BytePatch& patch : patches) {
        for (std::size_t i = 0; i < patch.bytes.size(); ++i) {
            bytes.at(patch.offset + i) = patch.bytes[i];
        }
    }
    return bytes;
}

struct FieldRef {
    const char* name;
    int (*get)(const InstrumentSettings&);
};

#define SETTINGS_FIELD(field)                                            \
    settings_test::FieldRef {                                            \
#field, [](const InstrumentSettings& s) { return int{s.field}; } \
    }

enum class Locale { C, Polish };

inline QLocale MakeLocale(Locale which) {
    return which == Locale::Polish ? QLocale(QLocale::Polish, QLocale::Poland) : QLocale::c();
}

inline const char* LocaleName(Locale which) {
    return which == Locale::Polish ? "pl_PL" : "C";
}

}  // namespace settings_test
