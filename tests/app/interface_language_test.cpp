// The texts of both interface languages, on a freshly built window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "app/main_window.h"
#include "chart/hygro_chart.h"
#include "texts/interface_language.h"

namespace {

QString TextOf(TForm1& form, const char* name) {
    if (form.objectName() == name)
        return form.windowTitle();
    QObject* control = form.findChild<QObject*>(name);
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(control))
        return button->text();
    if (auto* page = qobject_cast<QWidget*>(control)) {
        const int index = form.Tabs->indexOf(page);
        if (index >= 0)
            return form.Tabs->tabText(index);
    }
    return "<no such control>";
}

struct Expected {
    const char* control;
    const char* polish;
    const char* english;
};

const Expected kTexts[] = {
    {"Form1", "KRT20 Higrometr", "KRT20 Higrometr"},
    {"TabSheet1", "Wykres", "Chart"},
    {"TabSheet2", "Ustawienia", "Settings"},
    {"TabSheet3", "Higrometr", "Hygrometer"},
    {"TabSheet4", "Rejestrator", "Logger"},
    {"Connect", "Połącz", "Connect"},
    {"Button1", "Wczytaj wykres", "Load chart"},
    {"Label10", "Temperatura punktu rosy", "Dew Point Temperature"},
    {"Label11", "Temperatura otoczenia", "Ambient temperature"},
    {"Label8", "Wilgotność względna [%]", "Relative humidity [%]"},
    {"Label34", "Urzadzenie:", "Instrument:"},
    {"Label35", "Czas pracy", "Run time"},
    {"Label23", "Temperatura lustra", "Mirror temperature"},
    {"Label22", "Temperatura glowicy", "Head temperature"},
    {"Label21", "Szron", "Frost"},
    {"Label12", "Zaroszenie lustra [jp]", "Mirror dew level [units]"},
    {"Label16", "Status", "State:"},
    {"Label2", "Wyjście 2 min", "Min value"},
    {"Label4", "Wyjście 1 min", "Min value"},
    {"Label3", "Wyjście 2 max", "Max value"},
    {"Label5", "Wyjście 1 max", "Max value"},
    {"Label6", "Próg górny", "Up threshold Al1"},
    {"Label27", "Próg dolny", "Down threshold Al1"},
    {"Label30", "Próg górny", "Up threshold Al2"},
    {"Label31", "Próg dolny", "Down threshold Al2"},
    {"Label38", "Status", "Status"},
    {"Label44", "[0 ... 255]", "[0 ... 255]"},
    {"Label43", "Wprowadx numer rekordu", "Enter Number of Record"},
    {"ZapisUstawien", "Zapisz ustawienia", "Save settings"},
    {"Button4", "Zapisz dane w pliku", "Save all records to file"},
};

TEST(InterfaceLanguage, CaptionsListsAndTitleInBothLanguages) {
    for (const bool englishUi : {false, true}) {
        SCOPED_TRACE(englishUi);
        const InterfaceTranslator language(englishUi ? InterfaceLanguage::English
                                                     : InterfaceLanguage::Polish);
        ASSERT_TRUE(language.Loaded());
        TForm1 form;
        for (const Expected& e : kTexts) {
            SCOPED_TRACE(e.control);
            EXPECT_EQ(TextOf(form, e.control), QString::fromUtf8(englishUi ? e.english : e.polish));
        }
        const char* const modes[2][7] = {
            {"0 wyłączony", "1 górny", "2 dolny", "3 pomiędzy", "4 poza", "5 górny z histerezą",
             "6 dolny z histerezą"},
            {"0 off", "1 top", "2 bottom", "3 inside", "4 outside", "5 heating", "6 cooling"}};
        for (QComboBox* list :
             {form.SettingsTab->Alarm1ModeList, form.SettingsTab->Alarm2ModeList}) {
            ASSERT_EQ(list->count(), 7);
            for (int i = 0; i < 7; ++i) {
                EXPECT_EQ(list->itemText(i), QString::fromUtf8(modes[englishUi][i]));
            }
        }
        EXPECT_EQ(form.ChartTab->Chart->Title(), englishUi ? "Humidity and temperature chart"
                                                           : "Wykres wilgotności i temperatury");
        // Lists other than the alarm modes keep their single form.
        EXPECT_EQ(form.SettingsTab->BuzzerList->itemText(3), "AL1&AL2");
    }
}

}  // namespace
