#include "settings/settings_captions.h"

#include <array>

namespace {

struct ControlCaption {
    const char16_t* control;
    const char* caption;  // UTF-8
    const char* english;
};

constexpr std::array<ControlCaption, 22> kCaptions = {{
    {u"ComboBox1", "Displayed unit", "Displayed unit"},
    {u"ComboBox10", "Temp System Unit", "Temp. System Unit"},
    {u"Edit32", "Manual Temp.", "Manual Temp."},
    {u"Edit33", "Pressure", "Pressure"},
    {u"ComboBox12", "Buzzer", "Buzzer"},
    {u"ComboBox7", "Alarm 1: Tryb pracy", "Alarm 1 mode"},
    {u"Edit5", "Alarm 1: Próg górny", "Up threshold Al1"},
    {u"Edit16", "Alarm 1: Próg dolny", "Down threshold Al1"},
    {u"ComboBox9", "Alarm 2: Tryb pracy", "Alarm 2 mode"},
    {u"Edit17", "Alarm 2: Próg górny", "Up threshold Al2"},
    {u"Edit18", "Alarm 2: Próg dolny", "Down threshold Al2"},
    {u"ComboBox2", "Wyjście 1: Rodzaj wyjścia", "Output 1 mode"},
    {u"Edit1", "Wyjście 1 min", "Output 1: Min value"},
    {u"Edit2", "Wyjście 1 max", "Output 1: Max value"},
    {u"ComboBox5", "Wyjście 2: Rodzaj wyjścia", "Output 2 mode"},
    {u"Edit3", "Wyjście 2 min", "Output 2: Min value"},
    {u"Edit4", "Wyjście 2 max", "Output 2: Max value"},
    {u"Edit12", "Czyszczenie co", "Cleaning interval"},
    {u"ComboBox11", "Logger: Mode", "Logger: Mode"},
    {u"ComboBox13", "Record when AL1", "Record when AL1"},
    {u"ComboBox14", "Record when AL2", "Record when AL2"},
    {u"ComboBox15", "Record interval", "Record interval"},
}};

}  // namespace

QString SettingsControlCaption(QStringView control, bool englishUi) {
    for (const ControlCaption& entry : kCaptions) {
        if (control == QStringView(entry.control)) {
            return QString::fromUtf8(englishUi ? entry.english : entry.caption);
        }
    }
    return control.toString();
}
