#include "app/english_ui.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "app/main_window.h"
#include "chart/hygro_chart.h"
#include "settings/settings_lists.h"

namespace {

struct EnglishCaption {
    const char* control;
    const char* text;
};

// In the order they are applied.
constexpr EnglishCaption kCaptions[] = {
    {"TabSheet1", "Chart"},
    {"TabSheet2", "Settings"},
    {"TabSheet3", "Hygrometer"},
    {"TabSheet4", "Logger"},
    {"Connect", "Connect"},
    {"Button1", "Load chart"},
    {"Label10", "Dew Point Temperature"},
    {"Label11", "Ambient temperature"},
    {"Label8", "Relative humidity [%]"},
    {"Label13", "Peltier power"},
    {"Label14", "Output 1 [mA]"},
    {"Label15", "Output 2 [mA]"},
    {"Label16", "State:"},
    {"Label1", "Output 1 mode:"},
    {"Label2", "Min value"},
    {"Label3", "Max value"},
    {"Label4", "Min value"},
    {"Label5", "Max value"},
    {"Label6", "Up threshold Al1"},
    {"Label7", "Displayed unit"},
    {"Label18", "Unit"},
    {"Label19", "Cleaning interval"},
    {"Label20", "Hour(s)"},
    {"Label24", "Temp. System Unit"},
    {"Label25", "Unit"},
    {"Label26", "Alarm 1 mode"},
    {"Label27", "Down threshold Al1"},
    {"Label28", "Unit"},
    {"Label29", "Alarm 2 mode"},
    {"Label30", "Up threshold Al2"},
    {"Label31", "Down threshold Al2"},
    {"Label32", "Output 2 mode"},
    {"Label33", "Unit"},
    {"Label36", "Humidity"},
    {"Label37", "Temperature"},
    {"Label39", "Time"},
    {"Label40", "Data"},
    {"Label41", "Object ID"},
    {"Label42", "Number"},
    {"Label43", "Enter Number of Record"},
    {"ZapisUstawien", "Save settings"},
    {"Button2", "Load settings"},
    {"Button3", "Load data"},
    {"Button4", "Save all records to file"},
};

void SetCaption(TForm1& form, const char* name, const QString& text) {
    QObject* control = form.findChild<QObject*>(name);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        button->setText(text);
    } else if (auto* page = qobject_cast<QWidget*>(control)) {
        const int index = form.PageControl1->indexOf(page);
        if (index >= 0) {
            form.PageControl1->setTabText(index, text);
        }
    }
}

void OverwriteAlarmModes(QComboBox* list) {
    for (int i = 0; i < static_cast<int>(kAlarmModeItemsEnglish.size()) && i < list->count(); ++i) {
        list->setItemText(i, QString::fromUtf8(kAlarmModeItemsEnglish[static_cast<std::size_t>(i)]));
    }
}

}  // namespace

void ApplyInterfaceLanguage(TForm1& form, std::int32_t englishUi) {
    if (englishUi == 0) {
        return;
    }
    for (const EnglishCaption& caption : kCaptions) {
        SetCaption(form, caption.control, QString::fromUtf8(caption.text));
    }
    OverwriteAlarmModes(form.ComboBox7);
    OverwriteAlarmModes(form.ComboBox9);
    form.Chart1->SetTitle("Humidity and temperature chart");
}
