#include "settings/settings_captions.h"

#include <QCoreApplication>
#include <array>
#include <cstddef>

namespace {

// In the order of SettingsField. The Polish interface's words; translations give the others.
constexpr std::array<const char*, 22> kCaptions = {
    QT_TRANSLATE_NOOP("SettingsField", "Displayed unit"),
    QT_TRANSLATE_NOOP("SettingsField", "Temp System Unit"),
    QT_TRANSLATE_NOOP("SettingsField", "Manual Temp."),
    QT_TRANSLATE_NOOP("SettingsField", "Pressure"),
    QT_TRANSLATE_NOOP("SettingsField", "Buzzer"),
    QT_TRANSLATE_NOOP("SettingsField", "Alarm 1: Tryb pracy"),
    QT_TRANSLATE_NOOP("SettingsField", "Alarm 1: Próg górny"),
    QT_TRANSLATE_NOOP("SettingsField", "Alarm 1: Próg dolny"),
    QT_TRANSLATE_NOOP("SettingsField", "Alarm 2: Tryb pracy"),
    QT_TRANSLATE_NOOP("SettingsField", "Alarm 2: Próg górny"),
    QT_TRANSLATE_NOOP("SettingsField", "Alarm 2: Próg dolny"),
    QT_TRANSLATE_NOOP("SettingsField", "Wyjście 1: Rodzaj wyjścia"),
    QT_TRANSLATE_NOOP("SettingsField", "Wyjście 1 min"),
    QT_TRANSLATE_NOOP("SettingsField", "Wyjście 1 max"),
    QT_TRANSLATE_NOOP("SettingsField", "Wyjście 2: Rodzaj wyjścia"),
    QT_TRANSLATE_NOOP("SettingsField", "Wyjście 2 min"),
    QT_TRANSLATE_NOOP("SettingsField", "Wyjście 2 max"),
    QT_TRANSLATE_NOOP("SettingsField", "Czyszczenie co"),
    QT_TRANSLATE_NOOP("SettingsField", "Logger: Mode"),
    QT_TRANSLATE_NOOP("SettingsField", "Record when AL1"),
    QT_TRANSLATE_NOOP("SettingsField", "Record when AL2"),
    QT_TRANSLATE_NOOP("SettingsField", "Record interval"),
};
static_assert(kCaptions.size() == static_cast<std::size_t>(SettingsField::RecordInterval) + 1);

}  // namespace

QString SettingsFieldCaption(SettingsField field) {
    return QCoreApplication::translate("SettingsField", kCaptions[static_cast<std::size_t>(field)]);
}
