#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>

#include <functional>
#include <iterator>
#include <string>

#include "app/app_texts.h"
#include "app/form_controls.h"
#include "app/item_lists.h"
#include "app/main_window.h"
#include "texts/interface_language.h"

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

QString TextOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->currentText();
    }
    return QString();
}

enum class Shown { Yes, Hidden };
enum class Enabled { Yes, No };

TEST(WindowTest, ControlsStartAsDesigned) {
    // A geometry with zero size checks only the position (the control sizes to its text).
    struct Case {
        const char* name;
        const char* text;
        Shown shown;
        Enabled enabled;
        QRect geometry;
    };
    const Case cases[] = {
        {"PageControl1", "", Shown::Yes, Enabled::Yes, {0, 0, 753, 553}},
        {"Chart1", "", Shown::Yes, Enabled::Yes, {0, 0, 0, 0}},
        // Hygrometer tab.
        {"Connect", "Połącz", Shown::Yes, Enabled::Yes, {432, 200, 105, 81}},
        {"Button1", "Wczytaj wykres", Shown::Yes, Enabled::Yes, {440, 376, 97, 25}},
        {"Label10", "Temperatura punktu rosy", Shown::Yes, Enabled::Yes, {48, 32, 0, 0}},
        {"Edit20", "- - - - -", Shown::Yes, Enabled::Yes, {11, 56, 249, 105}},
        {"Label11", "Temperatura otoczenia", Shown::Yes, Enabled::Yes, {112, 192, 0, 0}},
        {"Edit14", "- - - - -", Shown::Yes, Enabled::Yes, {128, 216, 129, 59}},
        {"Label8", "Wilgotność względna [%]", Shown::Yes, Enabled::Yes, {104, 320, 0, 0}},
        {"Edit6", "- - - -", Shown::Yes, Enabled::Yes, {128, 344, 121, 59}},
        {"StaticText1", "NIVIon", Shown::Yes, Enabled::Yes, {512, 32, 0, 0}},
        {"StaticText2", "Hygrometer", Shown::Yes, Enabled::Yes, {544, 56, 0, 0}},
        {"Label17", "v. 2.22", Shown::Yes, Enabled::Yes, {688, 504, 0, 0}},
        {"Label35", "Czas pracy", Shown::Yes, Enabled::Yes, {40, 576, 0, 0}},
        {"Label16", "Status", Shown::Yes, Enabled::Yes, {128, 576, 0, 0}},
        {"Label34", "Urzadzenie:", Shown::Yes, Enabled::Yes, {192, 576, 0, 0}},
        {"Label23", "Temperatura lustra", Shown::Yes, Enabled::Yes, {32, 624, 0, 0}},
        {"Edit15", "- - - -", Shown::Yes, Enabled::Yes, {24, 648, 105, 56}},
        {"Label22", "Temperatura glowicy", Shown::Yes, Enabled::Yes, {176, 624, 0, 0}},
        {"Edit7", "- - - -", Shown::Yes, Enabled::Yes, {176, 648, 105, 59}},
        {"Label21", "Szron", Shown::Yes, Enabled::Yes, {336, 656, 0, 0}},
        {"Edit13", "Edit13", Shown::Yes, Enabled::Yes, {336, 672, 89, 27}},
        {"Label12", "Zaroszenie lustra [jp]", Shown::Yes, Enabled::Yes, {448, 656, 0, 0}},
        {"Edit8", "Edit8", Shown::Yes, Enabled::Yes, {448, 672, 97, 28}},
        {"Edit22", "Edit22", Shown::Yes, Enabled::Yes, {336, 600, 89, 21}},
        {"Edit23", "Edit23", Shown::Yes, Enabled::Yes, {448, 600, 97, 21}},
        {"Edit19", "Edit19", Shown::Yes, Enabled::Yes, {336, 624, 89, 21}},
        {"Edit21", "Edit21", Shown::Yes, Enabled::Yes, {448, 624, 97, 21}},
        {"Label13", "Moc peltiera [jp]", Shown::Hidden, Enabled::Yes, {384, 728, 0, 0}},
        {"Edit9", "Edit9", Shown::Hidden, Enabled::Yes, {384, 752, 97, 28}},
        {"Label14", "Wyjscie 1 [mA]", Shown::Hidden, Enabled::Yes, {104, 728, 0, 0}},
        {"Edit10", "Edit10", Shown::Hidden, Enabled::Yes, {104, 752, 97, 28}},
        {"Label15", "Wyjscie 2 [mA]", Shown::Hidden, Enabled::Yes, {232, 728, 0, 0}},
        {"Edit11", "Edit11", Shown::Hidden, Enabled::Yes, {232, 752, 97, 28}},
        // Settings tab.
        {"Label50", "Basic", Shown::Yes, Enabled::Yes, {56, 32, 0, 0}},
        {"Label47", "Alarms", Shown::Yes, Enabled::Yes, {264, 32, 0, 0}},
        {"Label48", "Analogue Outputs", Shown::Yes, Enabled::Yes, {424, 32, 0, 0}},
        {"Label49", "Logger", Shown::Yes, Enabled::Yes, {640, 32, 0, 0}},
        {"Label7", "Displayed unit", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox1", "°Cdp", Shown::Yes, Enabled::Yes, {104, 64, 57, 21}},
        {"Label24", "Temp System Unit", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox10", "°C", Shown::Yes, Enabled::Yes, {104, 96, 57, 21}},
        {"Label52", "Manual Temp.", Shown::Yes, Enabled::Yes, {}},
        {"Edit32", "22.5", Shown::Yes, Enabled::Yes, {104, 128, 49, 21}},
        {"Label53", "Pressure", Shown::Yes, Enabled::Yes, {}},
        {"Edit33", "1.00", Shown::Yes, Enabled::Yes, {104, 160, 49, 21}},
        {"Label54", "bar", Shown::Yes, Enabled::Yes, {}},
        {"Label45", "Buzzer", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox12", "", Shown::Yes, Enabled::Yes, {280, 72, 73, 21}},
        {"Label26", "Tryb pracy", Shown::Yes, Enabled::Yes, {}},
        // The alarm modes' lists grow to the right to show their longest item.
        {"ComboBox7", "", Shown::Yes, Enabled::Yes, {280, 120, 0, 0}},
        {"Label6", "Próg górny", Shown::Yes, Enabled::Yes, {}},
        {"Edit5", "", Shown::Yes, Enabled::Yes, {304, 152, 49, 21}},
        {"Label27", "Próg dolny", Shown::Yes, Enabled::Yes, {}},
        {"Edit16", "", Shown::Yes, Enabled::Yes, {304, 184, 49, 21}},
        {"Label29", "Tryb pracy", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox9", "", Shown::Yes, Enabled::Yes, {280, 248, 0, 0}},
        {"Label30", "Próg górny", Shown::Yes, Enabled::Yes, {}},
        {"Edit17", "", Shown::Yes, Enabled::Yes, {304, 280, 49, 21}},
        {"Label31", "Próg dolny", Shown::Yes, Enabled::Yes, {}},
        {"Edit18", "", Shown::Yes, Enabled::Yes, {304, 312, 49, 21}},
        {"Label1", "Rodzaj wyjścia", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox2", "4-20mA", Shown::Yes, Enabled::Yes, {504, 72, 65, 21}},
        {"Label4", "Wyjście 1 min", Shown::Yes, Enabled::Yes, {}},
        {"Edit1", "", Shown::Yes, Enabled::Yes, {504, 112, 49, 21}},
        {"Label5", "Wyjście 1 max", Shown::Yes, Enabled::Yes, {}},
        {"Edit2", "", Shown::Yes, Enabled::Yes, {504, 144, 49, 21}},
        {"Label32", "Rodzaj wyjścia", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox5", "4-20mA", Shown::Yes, Enabled::Yes, {504, 248, 65, 21}},
        {"Label2", "Wyjście 2 min", Shown::Yes, Enabled::Yes, {}},
        {"Edit3", "", Shown::Yes, Enabled::Yes, {504, 280, 49, 21}},
        {"Label3", "Wyjście 2 max", Shown::Yes, Enabled::Yes, {}},
        {"Edit4", "", Shown::Yes, Enabled::Yes, {504, 312, 49, 21}},
        {"Label46", "Mode", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox11", "", Shown::Yes, Enabled::Yes, {688, 72, 49, 21}},
        {"Label51", "Record when AL1", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox13", "", Shown::Yes, Enabled::Yes, {688, 112, 49, 21}},
        {"Label55", "Record when AL2", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox14", "", Shown::Yes, Enabled::Yes, {688, 144, 49, 21}},
        {"Label56", "Record interval", Shown::Yes, Enabled::Yes, {}},
        {"ComboBox15", "", Shown::Yes, Enabled::Yes, {688, 176, 49, 21}},
        {"Button2", "Odczytaj ustawienia", Shown::Yes, Enabled::Yes, {216, 400, 105, 25}},
        {"ZapisUstawien", "Zapisz ustawienia", Shown::Yes, Enabled::Yes, {424, 400, 105, 25}},
        {"Label9", "Brak komunikacji !", Shown::Hidden, Enabled::Yes, {24, 472, 0, 0}},
        {"Label19", "Czyszczenie co", Shown::Hidden, Enabled::Yes, {272, 456, 0, 0}},
        {"Edit12", "", Shown::Hidden, Enabled::No, {360, 448, 0, 0}},
        {"Label20", "godzin(y)", Shown::Hidden, Enabled::Yes, {416, 456, 0, 0}},
        {"ComboBox3", "°Cdp", Shown::Hidden, Enabled::No, {576, 200, 0, 0}},
        {"ComboBox4", "°Cdp", Shown::Hidden, Enabled::No, {88, 400, 0, 0}},
        {"ComboBox6", "°C", Shown::Hidden, Enabled::No, {568, 192, 0, 0}},
        {"ComboBox8", "°C", Shown::Hidden, Enabled::No, {64, 368, 0, 0}},
        {"Label18", "Jednostka", Shown::Hidden, Enabled::Yes, {488, 208, 0, 0}},
        {"Label33", "Jednostka", Shown::Hidden, Enabled::Yes, {488, 192, 0, 0}},
        {"Label25", "Jednostki", Shown::Hidden, Enabled::Yes, {24, 408, 0, 0}},
        {"Label28", "Jednostki", Shown::Hidden, Enabled::Yes, {16, 376, 0, 0}},
        // Logger tab.
        {"Label42", "Numer", Shown::Yes, Enabled::Yes, {96, 32, 0, 0}},
        {"Edit30", "", Shown::Yes, Enabled::Yes, {168, 24, 81, 21}},
        {"Label41", "ID obiektu", Shown::Yes, Enabled::Yes, {96, 56, 0, 0}},
        {"Edit29", "", Shown::Yes, Enabled::Yes, {168, 48, 81, 21}},
        {"Label36", "Wilgotnosc", Shown::Yes, Enabled::Yes, {96, 96, 0, 0}},
        {"Edit24", "", Shown::Yes, Enabled::Yes, {168, 88, 81, 21}},
        {"Label37", "Temperatura", Shown::Yes, Enabled::Yes, {96, 120, 0, 0}},
        {"Edit25", "", Shown::Yes, Enabled::Yes, {168, 112, 81, 21}},
        {"Label40", "Data", Shown::Yes, Enabled::Yes, {96, 152, 0, 0}},
        {"Edit27", "", Shown::Yes, Enabled::Yes, {168, 144, 81, 21}},
        {"Label39", "Czas", Shown::Yes, Enabled::Yes, {96, 176, 0, 0}},
        {"Edit28", "", Shown::Yes, Enabled::Yes, {168, 168, 81, 21}},
        {"Label38", "Status", Shown::Yes, Enabled::Yes, {96, 208, 0, 0}},
        {"Edit26", "", Shown::Yes, Enabled::Yes, {168, 200, 81, 21}},
        {"Label43", "Wprowadx numer rekordu", Shown::Yes, Enabled::Yes, {88, 288, 0, 0}},
        {"Label44", "[0 ... 255]", Shown::Yes, Enabled::Yes, {120, 304, 0, 0}},
        {"Edit31", "", Shown::Yes, Enabled::Yes, {120, 320, 41, 21}},
        {"Button3", "Wczytaj dane", Shown::Yes, Enabled::Yes, {200, 320, 75, 25}},
        {"Button4", "Zapisz dane w pliku", Shown::Yes, Enabled::Yes, {408, 312, 121, 41}},
        {"ProgressBar1", "", Shown::Hidden, Enabled::Yes, {392, 280, 150, 16}},
    };
    const TForm1 form;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* widget = form.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(TextOf(widget), U(c.text));
        EXPECT_EQ(widget->isHidden(), c.shown == Shown::Hidden);
        EXPECT_EQ(widget->isEnabled(), c.enabled == Enabled::Yes);
        // {} for a caption placed by its control (see CaptionsEndJustLeftOfTheirControls);
        // a size of 0 for a label sized by its text.
        if (c.geometry != QRect()) {
            EXPECT_EQ(widget->pos(), c.geometry.topLeft());
        }
        if (c.geometry.width() > 0) {
            EXPECT_EQ(widget->size(), c.geometry.size());
        }
    }
}

// Captions of the Settings tab grow to the left, whatever their language, and end the same
// gap before their control, centred on its row.
TEST(WindowTest, CaptionsEndJustLeftOfTheirControls) {
    const std::pair<const char*, const char*> captions[] = {
        {"Label7", "ComboBox1"},   {"Label24", "ComboBox10"}, {"Label52", "Edit32"},
        {"Label53", "Edit33"},     {"Label45", "ComboBox12"}, {"Label26", "ComboBox7"},
        {"Label6", "Edit5"},       {"Label27", "Edit16"},     {"Label29", "ComboBox9"},
        {"Label30", "Edit17"},     {"Label31", "Edit18"},     {"Label1", "ComboBox2"},
        {"Label4", "Edit1"},       {"Label5", "Edit2"},       {"Label32", "ComboBox5"},
        {"Label2", "Edit3"},       {"Label3", "Edit4"},       {"Label46", "ComboBox11"},
        {"Label51", "ComboBox13"}, {"Label55", "ComboBox14"}, {"Label56", "ComboBox15"},
    };
    for (const InterfaceLanguage language :
         {InterfaceLanguage::Polish, InterfaceLanguage::English}) {
        const InterfaceTranslator translator(language);
        const TForm1 form;
        for (const auto& [labelName, controlName] : captions) {
            SCOPED_TRACE(labelName);
            const auto* label = form.findChild<QLabel*>(labelName);
            const auto* control = form.findChild<QWidget*>(controlName);
            ASSERT_TRUE(label && control);
            EXPECT_EQ(label->geometry().right() + 1 + 6, control->x());
            EXPECT_NEAR(label->geometry().center().y(), control->geometry().center().y(), 1);
        }
    }
}

TEST(WindowTest, ListsHoldTheirItemsAndStartSelection) {
    struct Case {
        const char* name;
        QStringList items;
        int index;
    };
    const QStringList units = {"°Cdp", "°Fdp", "ppmV",    "gm-3",   "%Rh",
                               "°C",   "°F",   "°C-°Cdp", "°F-°Fdp"};
    const QStringList scales = {"°C", "°F"};
    const QStringList ranges = {"0-20mA", "4-20mA"};
    const QStringList modes = {"0 wyłączony",        "1 górny", "2 dolny",
                               "3 pomiędzy",         "4 poza",  "5 górny z histerezą",
                               "6 dolny z histerezą"};
    const QStringList buzzer = {"OFF", "AL1", "AL2", "AL1&AL2"};
    const QStringList logger = {"Loop", "Stop"};
    const QStringList intervals = {"OFF", "1min", "2min", "5min", "10min", "15min", "30min",
                                   "1h",  "2h",   "4h",   "6h",   "12h",   "24h"};
    const QStringList hiddenUnits = {"°Cdp", "°Fdp", "g/m3", "%Rh", "aw", "°C", "°F", "t-tdp"};
    const Case cases[] = {
        {"ComboBox1", units, 0},       {"ComboBox10", scales, 0},     {"ComboBox2", ranges, 1},
        {"ComboBox5", ranges, 1},      {"ComboBox7", modes, -1},      {"ComboBox9", modes, -1},
        {"ComboBox12", buzzer, -1},    {"ComboBox11", logger, -1},    {"ComboBox13", intervals, -1},
        {"ComboBox14", intervals, -1}, {"ComboBox15", intervals, -1}, {"ComboBox3", hiddenUnits, 0},
        {"ComboBox4", hiddenUnits, 0}, {"ComboBox6", hiddenUnits, 5}, {"ComboBox8", hiddenUnits, 5},
    };
    const TForm1 form;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* combo = form.findChild<QComboBox*>(QString::fromLatin1(c.name));
        ASSERT_NE(combo, nullptr);
        EXPECT_FALSE(combo->isEditable());
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
        }
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(combo->currentIndex(), c.index);
    }
}

// The item lists themselves: the index of an item is the value the instrument uses.
TEST(ItemListsTest, ItemsSitAtTheirCodes) {
    struct Case {
        const char* list;
        QStringList items;
        int index;
        const char* item;
    };
    const Case cases[] = {
        {"unit", ItemsOf(&InstrumentSettings::DisplayUnit), 0, "°Cdp"},
        {"unit", ItemsOf(&InstrumentSettings::DisplayUnit), 2, "ppmV"},
        {"unit", ItemsOf(&InstrumentSettings::DisplayUnit), 5, "°C"},
        {"unit", ItemsOf(&InstrumentSettings::DisplayUnit), 8, "°F-°Fdp"},
        {"scale", ItemsOf(&InstrumentSettings::TemperatureUnit), 1, "°F"},
        {"output", ItemsOf(&InstrumentSettings::Output1Type), 0, "0-20mA"},
        {"alarm", ItemsOf(&InstrumentSettings::Alarm1Mode), 0, "0 wyłączony"},
        {"alarm", ItemsOf(&InstrumentSettings::Alarm1Mode), 3, "3 pomiędzy"},
        {"alarm", ItemsOf(&InstrumentSettings::Alarm1Mode), 6, "6 dolny z histerezą"},
        {"buzzer", ItemsOf(&InstrumentSettings::Buzzer), 3, "AL1&AL2"},
        {"logger", ItemsOf(&InstrumentSettings::LoggerMode), 1, "Stop"},
        {"interval", ItemsOf(&InstrumentSettings::RecordInterval), 0, "OFF"},
        {"interval", ItemsOf(&InstrumentSettings::RecordInterval), 7, "1h"},
        {"interval", ItemsOf(&InstrumentSettings::RecordInterval), 12, "24h"},
        {"hidden unit", HiddenUnitItems(), 2, "g/m3"},
        {"hidden unit", HiddenUnitItems(), 7, "t-tdp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.list) + " " + std::to_string(c.index));
        ASSERT_LT(c.index, c.items.size());
        EXPECT_EQ(c.items.at(c.index), U(c.item));
    }
}

TEST(ItemListsTest, ListsHaveOneItemPerCode) {
    struct Case {
        const char* list;
        QStringList items;
        qsizetype size;
    };
    const Case cases[] = {
        {"unit", ItemsOf(&InstrumentSettings::DisplayUnit), 9},
        {"scale", ItemsOf(&InstrumentSettings::TemperatureUnit), 2},
        {"output", ItemsOf(&InstrumentSettings::Output1Type), 2},
        {"alarm", ItemsOf(&InstrumentSettings::Alarm1Mode), 7},
        {"buzzer", ItemsOf(&InstrumentSettings::Buzzer), 4},
        {"logger", ItemsOf(&InstrumentSettings::LoggerMode), 2},
        {"interval", ItemsOf(&InstrumentSettings::RecordInterval), 13},
        {"hidden unit", HiddenUnitItems(), 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(c.items.size(), c.size);
        QStringList unique = c.items;
        EXPECT_EQ(unique.removeDuplicates(), 0);
    }
}

TEST(WindowTest, TabsInDesignOrderWithHygrometerInFront) {
    struct Case {
        const char* page;
        const char* caption;
    };
    const Case cases[] = {
        {"TabSheet1", "Wykres"},      {"TabSheet2", "Ustawienia"}, {"TabSheet3", "Higrometr"},
        {"TabSheet4", "Rejestrator"}, {"TabSheet5", "Wielkości"},
    };
    const TForm1 form;
    ASSERT_EQ(form.Tabs->count(), static_cast<int>(std::size(cases)));
    for (int i = 0; i < form.Tabs->count(); ++i) {
        SCOPED_TRACE(cases[i].page);
        EXPECT_EQ(form.Tabs->widget(i)->objectName(), cases[i].page);
        EXPECT_EQ(form.Tabs->tabText(i), U(cases[i].caption));
    }
    EXPECT_EQ(form.Tabs->currentWidget(), form.HygrometerTab);
}

TEST(WindowTest, WindowItself) {
    TForm1 form;
    EXPECT_EQ(form.objectName(), "Form1");
    EXPECT_EQ(form.windowTitle(), U(kWindowCaption));
    EXPECT_EQ(form.windowTitle(), "KRT20 Higrometr");
    // The design's client area, and the status bar below it.
    form.show();
    const QRect bar = form.StatusBar->geometry();
    EXPECT_GT(bar.height(), 10);
    EXPECT_EQ(form.size(), QSize(758, 558 + bar.height()));
    EXPECT_EQ(bar, QRect(0, 558, 758, bar.height()));
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(form.font().families().value(0), "Liberation Sans");
    EXPECT_EQ(QFontInfo(form.font()).family(), "Liberation Sans") << "installed and used";
    EXPECT_EQ(form.backgroundRole(), QPalette::Button);
    EXPECT_TRUE(form.autoFillBackground());
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(form.layout(), nullptr);

    ASSERT_NE(form.ChartTab->Chart, nullptr);
    EXPECT_EQ(form.ChartTab->Chart->parentWidget(), form.ChartTab);
    const auto* title =
        qobject_cast<QCPTextElement*>(form.ChartTab->Chart->plotLayout()->element(0, 0));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), U("Wykres wilgotności i temperatury"));
}

TEST(WindowTest, LargeReadoutsShowTheirWidestTextsInFull) {
    struct Case {
        const char* name;
        int designPixels;
        QColor background;
        QColor text;  // invalid: the palette's own text colour
        QStringList samples;
    };
    const Case cases[] = {
        {"Edit20", 85, QColor(128, 0, 0), QColor(255, 0, 0), {"- - - - -", "-88.88", "Error"}},
        {"Edit14", 43, QColor(0, 128, 128), QColor(), {"- - - - -", "-88.88"}},
        {"Edit6", 43, QColor(0, 128, 128), QColor(), {"- - - -", "100.00"}},
    };
    const TForm1 form;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* edit = form.findChild<QLineEdit*>(QString::fromLatin1(c.name));
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_TRUE(edit->font().bold());
        EXPECT_EQ(edit->palette().color(QPalette::Base), c.background);
        if (c.text.isValid()) {
            EXPECT_EQ(edit->palette().color(QPalette::Text), c.text);
        }
        // The design size, or a little smaller for a text that would not fit at it.
        for (const QString& sample : c.samples) {
            SCOPED_TRACE(sample.toStdString());
            ShowReadoutText(const_cast<QLineEdit*>(edit), sample, c.designPixels);
            const QFontMetrics metrics(edit->font());
            EXPECT_LE(edit->font().pixelSize(), c.designPixels);
            EXPECT_GE(edit->font().pixelSize(), c.designPixels * 4 / 5);
            EXPECT_LE(metrics.height(), edit->height() - 4);
            EXPECT_LE(metrics.horizontalAdvance(sample), edit->width() - 8);
        }
    }
}

TEST(WindowTest, ButtonCaptionsFitTheirButtons) {
    struct Case {
        const char* name;
        int designPixels;
    };
    const Case cases[] = {
        {"Connect", 16},       {"Button1", 11}, {"Button2", 11},
        {"ZapisUstawien", 11}, {"Button3", 11}, {"Button4", 11},
    };
    const TForm1 form;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* button = form.findChild<QPushButton*>(QString::fromLatin1(c.name));
        ASSERT_NE(button, nullptr);
        // Made smaller only where the installed font is wider than the design's, and only
        // so far that the caption stays readable.
        EXPECT_LE(button->font().pixelSize(), c.designPixels);
        EXPECT_GE(button->font().pixelSize(), 9);
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()),
                  button->width() - 6);
    }
}

// Also the Hygrometer page's readouts below the design's page, which the page scrolls to,
// with the widest texts they get at run time.
TEST(WindowTest, VisibleControlsOfAPageDoNotOverlap) {
    TForm1 form;
    ShowLabelText(form.HygrometerTab->InstrumentVersionLabel,
                  QStringLiteral("KRT-10 wersja: 255 rewizja: 255 numer seyjny: 65535"));
    SampleUpdate widest;
    widest.readouts.RunTime = QStringLiteral("Poldni:65535 godzin:65535 sekund:65535");
    form.HygrometerTab->ShowSample(widest);
    for (const QWidget* page : std::initializer_list<const QWidget*>{
             form.ChartTab, form.SettingsTab, form.HygrometerTab->widget(), form.LoggerTab}) {
        SCOPED_TRACE(page->objectName().toStdString());
        QList<const QWidget*> shown;
        for (const QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isHidden()) {
                shown << child;
            }
        }
        EXPECT_FALSE(shown.isEmpty());
        for (qsizetype i = 0; i < shown.size(); ++i) {
            for (qsizetype j = i + 1; j < shown.size(); ++j) {
                SCOPED_TRACE(
                    (shown[i]->objectName() + " / " + shown[j]->objectName()).toStdString());
                EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()));
            }
        }
    }
}

TEST(WindowTest, LabelsNeverInterpretRichText) {
    const TForm1 form;
    const QList<QLabel*> labels = form.findChildren<QLabel*>();
    EXPECT_GT(labels.size(), 50);
    for (const QLabel* label : labels) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    }
}

// Handlers reach controls through the members, named by what they are; tests and tools by
// the design's names: both must lead to the same control.
TEST(WindowTest, EveryMemberCarriesItsDesignNameAsObjectName) {
    struct Case {
        QString name;  // the design's name
        std::function<const QWidget*(const TForm1&)> member;
    };
#define HYGRO_MEMBER(design, member)                                       \
    Case {                                                                 \
        design, [](const TForm1& f) -> const QWidget* { return f.member; } \
    }
    const Case cases[] = {
        HYGRO_MEMBER("PageControl1", Tabs),
        HYGRO_MEMBER("TabSheet1", ChartTab),
        HYGRO_MEMBER("TabSheet2", SettingsTab),
        HYGRO_MEMBER("TabSheet3", HygrometerTab),
        HYGRO_MEMBER("TabSheet4", LoggerTab),
        HYGRO_MEMBER("Chart1", ChartTab->Chart),
        HYGRO_MEMBER("Label1", SettingsTab->Output1TypeCaption),
        HYGRO_MEMBER("Label2", SettingsTab->Output2MinCaption),
        HYGRO_MEMBER("Label3", SettingsTab->Output2MaxCaption),
        HYGRO_MEMBER("Label4", SettingsTab->Output1MinCaption),
        HYGRO_MEMBER("Label5", SettingsTab->Output1MaxCaption),
        HYGRO_MEMBER("Label6", SettingsTab->Alarm1HighCaption),
        HYGRO_MEMBER("Label7", SettingsTab->DisplayUnitCaption),
        HYGRO_MEMBER("Label8", HygrometerTab->RelativeHumidityCaption),
        HYGRO_MEMBER("Label9", SettingsTab->StatusLabel),
        HYGRO_MEMBER("Label10", HygrometerTab->DewPointCaption),
        HYGRO_MEMBER("Label11", HygrometerTab->AmbientTemperatureCaption),
        HYGRO_MEMBER("Label12", HygrometerTab->MirrorDewLevelCaption),
        HYGRO_MEMBER("Label13", HygrometerTab->PeltierPowerCaption),
        HYGRO_MEMBER("Label14", HygrometerTab->Output1CurrentCaption),
        HYGRO_MEMBER("Label15", HygrometerTab->Output2CurrentCaption),
        HYGRO_MEMBER("Label16", HygrometerTab->InstrumentVersionLabel),
        HYGRO_MEMBER("Label17", HygrometerTab->ProgramVersionLabel),
        HYGRO_MEMBER("Label18", SettingsTab->DisplayUnitCopy1Caption),
        HYGRO_MEMBER("Label19", SettingsTab->CleaningIntervalCaption),
        HYGRO_MEMBER("Label20", SettingsTab->CleaningIntervalUnit),
        HYGRO_MEMBER("Label21", HygrometerTab->FrostLevelCaption),
        HYGRO_MEMBER("Label22", HygrometerTab->HeadTemperatureCaption),
        HYGRO_MEMBER("Label23", HygrometerTab->MirrorTemperatureCaption),
        HYGRO_MEMBER("Label24", SettingsTab->TemperatureUnitCaption),
        HYGRO_MEMBER("Label25", SettingsTab->DisplayUnitCopy2Caption),
        HYGRO_MEMBER("Label26", SettingsTab->Alarm1ModeCaption),
        HYGRO_MEMBER("Label27", SettingsTab->Alarm1LowCaption),
        HYGRO_MEMBER("Label28", SettingsTab->TemperatureUnitCopy2Caption),
        HYGRO_MEMBER("Label29", SettingsTab->Alarm2ModeCaption),
        HYGRO_MEMBER("Label30", SettingsTab->Alarm2HighCaption),
        HYGRO_MEMBER("Label31", SettingsTab->Alarm2LowCaption),
        HYGRO_MEMBER("Label32", SettingsTab->Output2TypeCaption),
        HYGRO_MEMBER("Label33", SettingsTab->TemperatureUnitCopy1Caption),
        HYGRO_MEMBER("Label34", HygrometerTab->DeviceCaption),
        HYGRO_MEMBER("Label35", HygrometerTab->RunTimeLabel),
        HYGRO_MEMBER("Label36", LoggerTab->HumidityCaption),
        HYGRO_MEMBER("Label37", LoggerTab->TemperatureCaption),
        HYGRO_MEMBER("Label38", LoggerTab->StatusCaption),
        HYGRO_MEMBER("Label39", LoggerTab->TimeCaption),
        HYGRO_MEMBER("Label40", LoggerTab->DateCaption),
        HYGRO_MEMBER("Label41", LoggerTab->ObjectIdCaption),
        HYGRO_MEMBER("Label42", LoggerTab->RecordNumberCaption),
        HYGRO_MEMBER("Label43", LoggerTab->ChosenRecordCaption),
        HYGRO_MEMBER("Label44", LoggerTab->ChosenRecordRange),
        HYGRO_MEMBER("Label45", SettingsTab->BuzzerCaption),
        HYGRO_MEMBER("Label46", SettingsTab->LoggerModeCaption),
        HYGRO_MEMBER("Label47", SettingsTab->AlarmsHeading),
        HYGRO_MEMBER("Label48", SettingsTab->OutputsHeading),
        HYGRO_MEMBER("Label49", SettingsTab->LoggerHeading),
        HYGRO_MEMBER("Label50", SettingsTab->BasicHeading),
        HYGRO_MEMBER("Label51", SettingsTab->RecordIntervalAl1Caption),
        HYGRO_MEMBER("Label52", SettingsTab->ManualTemperatureCaption),
        HYGRO_MEMBER("Label53", SettingsTab->PressureCaption),
        HYGRO_MEMBER("Label54", SettingsTab->PressureUnit),
        HYGRO_MEMBER("Label55", SettingsTab->RecordIntervalAl2Caption),
        HYGRO_MEMBER("Label56", SettingsTab->RecordIntervalCaption),
        HYGRO_MEMBER("Edit1", SettingsTab->Output1MinEdit),
        HYGRO_MEMBER("Edit2", SettingsTab->Output1MaxEdit),
        HYGRO_MEMBER("Edit3", SettingsTab->Output2MinEdit),
        HYGRO_MEMBER("Edit4", SettingsTab->Output2MaxEdit),
        HYGRO_MEMBER("Edit5", SettingsTab->Alarm1HighEdit),
        HYGRO_MEMBER("Edit6", HygrometerTab->RelativeHumidityReadout),
        HYGRO_MEMBER("Edit7", HygrometerTab->HeadTemperatureReadout),
        HYGRO_MEMBER("Edit8", HygrometerTab->MirrorDewLevelReadout),
        HYGRO_MEMBER("Edit9", HygrometerTab->PeltierPowerReadout),
        HYGRO_MEMBER("Edit10", HygrometerTab->Output1CurrentReadout),
        HYGRO_MEMBER("Edit11", HygrometerTab->Output2CurrentReadout),
        HYGRO_MEMBER("Edit12", SettingsTab->CleaningIntervalEdit),
        HYGRO_MEMBER("Edit13", HygrometerTab->FrostLevelReadout),
        HYGRO_MEMBER("Edit14", HygrometerTab->AmbientTemperatureReadout),
        HYGRO_MEMBER("Edit15", HygrometerTab->MirrorTemperatureReadout),
        HYGRO_MEMBER("Edit16", SettingsTab->Alarm1LowEdit),
        HYGRO_MEMBER("Edit17", SettingsTab->Alarm2HighEdit),
        HYGRO_MEMBER("Edit18", SettingsTab->Alarm2LowEdit),
        HYGRO_MEMBER("Edit19", HygrometerTab->AuxValue2Readout),
        HYGRO_MEMBER("Edit20", HygrometerTab->DewPointReadout),
        HYGRO_MEMBER("Edit21", HygrometerTab->AuxValue1Readout),
        HYGRO_MEMBER("Edit22", HygrometerTab->AuxValue4Readout),
        HYGRO_MEMBER("Edit23", HygrometerTab->AuxValue3Readout),
        HYGRO_MEMBER("Edit24", LoggerTab->HumidityEdit),
        HYGRO_MEMBER("Edit25", LoggerTab->TemperatureEdit),
        HYGRO_MEMBER("Edit26", LoggerTab->StatusEdit),
        HYGRO_MEMBER("Edit27", LoggerTab->DateEdit),
        HYGRO_MEMBER("Edit28", LoggerTab->TimeEdit),
        HYGRO_MEMBER("Edit29", LoggerTab->ObjectIdEdit),
        HYGRO_MEMBER("Edit30", LoggerTab->RecordNumberEdit),
        HYGRO_MEMBER("Edit31", LoggerTab->ChosenRecordEdit),
        HYGRO_MEMBER("Edit32", SettingsTab->ManualTemperatureEdit),
        HYGRO_MEMBER("Edit33", SettingsTab->PressureEdit),
        HYGRO_MEMBER("ComboBox1", SettingsTab->DisplayUnitList),
        HYGRO_MEMBER("ComboBox2", SettingsTab->Output1TypeList),
        HYGRO_MEMBER("ComboBox3", SettingsTab->DisplayUnitCopy1List),
        HYGRO_MEMBER("ComboBox4", SettingsTab->DisplayUnitCopy2List),
        HYGRO_MEMBER("ComboBox5", SettingsTab->Output2TypeList),
        HYGRO_MEMBER("ComboBox6", SettingsTab->TemperatureUnitCopy1List),
        HYGRO_MEMBER("ComboBox7", SettingsTab->Alarm1ModeList),
        HYGRO_MEMBER("ComboBox8", SettingsTab->TemperatureUnitCopy2List),
        HYGRO_MEMBER("ComboBox9", SettingsTab->Alarm2ModeList),
        HYGRO_MEMBER("ComboBox10", SettingsTab->TemperatureUnitList),
        HYGRO_MEMBER("ComboBox11", SettingsTab->LoggerModeList),
        HYGRO_MEMBER("ComboBox12", SettingsTab->BuzzerList),
        HYGRO_MEMBER("ComboBox13", SettingsTab->RecordIntervalAl1List),
        HYGRO_MEMBER("ComboBox14", SettingsTab->RecordIntervalAl2List),
        HYGRO_MEMBER("ComboBox15", SettingsTab->RecordIntervalList),
        HYGRO_MEMBER("Connect", HygrometerTab->ConnectButton),
        HYGRO_MEMBER("ZapisUstawien", SettingsTab->SaveSettingsButton),
        HYGRO_MEMBER("Button1", HygrometerTab->LoadChartButton),
        HYGRO_MEMBER("Button2", SettingsTab->ReadSettingsButton),
        HYGRO_MEMBER("Button3", LoggerTab->ReadRecordButton),
        HYGRO_MEMBER("Button4", LoggerTab->DumpButton),
        HYGRO_MEMBER("ProgressBar1", LoggerTab->DumpProgressBar),
        HYGRO_MEMBER("StaticText1", HygrometerTab->MakerLabel),
        HYGRO_MEMBER("StaticText2", HygrometerTab->ProductLabel),
    };
#undef HYGRO_MEMBER
    const TForm1 form;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QWidget* member = c.member(form);
        ASSERT_NE(member, nullptr);
        EXPECT_EQ(member->objectName(), c.name);
        EXPECT_EQ(form.findChildren<QWidget*>(c.name).size(), 1);
    }
}

}  // namespace
