#include "settings/settings_captions.h"

#include <array>

namespace {

struct ControlCaption {
    const char16_t* control;
    const char* caption;  // UTF-8
};

constexpr std::array<ControlCaption, 22> kCaptions = {{
    {u"ComboBox1", "Displayed unit"},
    {u"ComboBox10", "Temp System Unit"},
    {u"Edit32", "Manual Temp."},
    {u"Edit33", "Pressure"},
    {u"ComboBox12", "Buzzer"},
    {u"ComboBox7", "Alarm 1: Tryb pracy"},
    {u"Edit5", "Alarm 1: Próg górny"},
    {u"Edit16", "Alarm 1: Próg dolny"},
    {u"ComboBox9", "Alarm 2: Tryb pracy"},
    {u"Edit17", "Alarm 2: Próg górny"},
    {u"Edit18", "Alarm 2: Próg dolny"},
    {u"ComboBox2", "Wyjście 1: Rodzaj wyjścia"},
    {u"Edit1", "Wyjście 1 min"},
    {u"Edit2", "Wyjście 1 max"},
    {u"ComboBox5", "Wyjście 2: Rodzaj wyjścia"},
    {u"Edit3", "Wyjście 2 min"},
    {u"Edit4", "Wyjście 2 max"},
    {u"Edit12", "Czyszczenie co"},
    {u"ComboBox11", "Logger: Mode"},
    {u"ComboBox13", "Record when AL1"},
    {u"ComboBox14", "Record when AL2"},
    {u"ComboBox15", "Record interval"},
}};

}  // namespace

QString SettingsControlCaption(QStringView control) {
    for (const ControlCaption& entry : kCaptions) {
        if (control == QStringView(entry.control)) {
            return QString::fromUtf8(entry.caption);
        }
    }
    return control.toString();
}
