#include "app/main_window.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>

#include "app/app_icon.h"
#include "app/app_texts.h"
#include "app/form_controls.h"
#include "app/item_lists.h"

namespace {

// The design's outer size includes a 4-pixel border on each side and a 19-pixel caption;
// Qt sizes the client area, which must hold the 753 x 553 page control.
constexpr QSize kOuterSize(766, 585);
constexpr QSize kClientSize(758, 558);

constexpr int kWindowFontPixels = 11;
constexpr int kReadoutCaptionPixels = 13;
constexpr int kLargeTextPixels = 16;
constexpr int kHeadingPixels = 19;
constexpr int kDewPointPixels = 85;
constexpr int kReadoutPixels = 43;

// The design font first, then fonts of the same proportions, then whatever sans is there.
QStringList WindowFontFamilies() {
    return {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
            "Arial",         "DejaVu Sans",          "Sans Serif"};
}

// The widest texts each large readout has to show in full.
QStringList DewPointSamples() {
    return {"- - - - -", "-88.88", "Error"};
}
QStringList TemperatureSamples() {
    return {"- - - - -", "-88.88"};
}
QStringList HumiditySamples() {
    return {"- - - -", "100.00"};
}

void MakeReadout(QLineEdit* edit, int pixelSize, const QColor& background, const QColor& text,
                 const QStringList& samples) {
    edit->setReadOnly(true);
    SetFontLook(edit, FontLook{pixelSize, true});
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, background);
    if (text.isValid()) {
        palette.setColor(QPalette::Text, text);
    }
    edit->setPalette(palette);
    FitFontToEdit(edit, samples);
}

// A caption in the tab's status colour.
void MakeRed(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label->setPalette(palette);
}

void HideAndDisable(QWidget* widget) {
    widget->setEnabled(false);
    widget->hide();
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(MakeAppIcon());
    QFont windowFont = font();
    windowFont.setFamilies(WindowFontFamilies());
    windowFont.setPixelSize(kWindowFontPixels);
    setFont(windowFont);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, 0, 753, 553);
    const auto addPage = [this](const char* name, const char* caption) {
        auto* page = new QWidget();
        page->setObjectName(QString::fromLatin1(name));
        PageControl1->addTab(page, QString::fromUtf8(caption));
        return page;
    };
    TabSheet1 = addPage("TabSheet1", "Wykres");
    TabSheet2 = addPage("TabSheet2", "Ustawienia");
    TabSheet3 = addPage("TabSheet3", "Higrometr");
    TabSheet4 = addPage("TabSheet4", "Rejestrator");

    BuildChartTab();
    BuildSettingsTab();
    BuildHygrometerTab();
    BuildLoggerTab();
    PageControl1->setCurrentWidget(TabSheet3);

    // The window grows by the status bar's height; the tabs keep their places above it.
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    resize(kClientSize.width(), kClientSize.height() + StatusBar1->sizeHint().height());

    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const QPoint centred = area.center() - QPoint(kOuterSize.width(), kOuterSize.height()) / 2;
        move(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()));
    }
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (StatusBar1 == nullptr) {
        return;
    }
    const int barHeight = StatusBar1->sizeHint().height();
    StatusBar1->setGeometry(0, height() - barHeight, width(), barHeight);
}

void TForm1::BuildChartTab() {
    Chart1 = new HygroChart(TabSheet1);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setGeometry(0, 0, 753, 537);
    QFont titleFont = font();
    titleFont.setPixelSize(kReadoutCaptionPixels);
    titleFont.setBold(true);
    Chart1->SetTitleFont(titleFont);
    Chart1->SetTitle(QString::fromUtf8(kChartTitle));
}

void TForm1::BuildSettingsTab() {
    QWidget* page = TabSheet2;
    const FontLook heading{kHeadingPixels, false};
    Label50 = MakeLabel(page, "Label50", "Basic", QRect(56, 32, 0, 0), heading);
    Label47 = MakeLabel(page, "Label47", "Alarms", QRect(264, 32, 0, 0), heading);
    Label48 = MakeLabel(page, "Label48", "Analogue Outputs", QRect(424, 32, 0, 0), heading);
    Label49 = MakeLabel(page, "Label49", "Logger", QRect(640, 32, 0, 0), heading);

    BuildSettingsBasic();
    BuildSettingsAlarms();
    BuildSettingsOutputs();
    BuildSettingsLogger();

    Button2 = MakeButton(page, "Button2", "Odczytaj ustawienia", QRect(216, 400, 105, 25));
    ZapisUstawien =
        MakeButton(page, "ZapisUstawien", "Zapisz ustawienia", QRect(424, 400, 105, 25));

    BuildSettingsHidden();
}

void TForm1::BuildSettingsBasic() {
    QWidget* page = TabSheet2;
    ComboBox1 = MakeComboBox(page, "ComboBox1", DisplayUnitItems(), 0, QRect(104, 64, 57, 21));
    Label7 = MakeCaptionLeftOf(page, "Label7", "Displayed unit", ComboBox1);
    ComboBox10 =
        MakeComboBox(page, "ComboBox10", TemperatureScaleItems(), 0, QRect(104, 96, 57, 21));
    Label24 = MakeCaptionLeftOf(page, "Label24", "Temp System Unit", ComboBox10);
    Edit32 = MakeEdit(page, "Edit32", "22.5", QRect(104, 128, 49, 21));
    Label52 = MakeCaptionLeftOf(page, "Label52", "Manual Temp.", Edit32);
    Edit33 = MakeEdit(page, "Edit33", "1.00", QRect(104, 160, 49, 21));
    Label53 = MakeCaptionLeftOf(page, "Label53", "Pressure", Edit33);
    Label54 = MakeLabel(page, "Label54", "bar", QRect(158, 164, 0, 0));
}

void TForm1::BuildSettingsAlarms() {
    QWidget* page = TabSheet2;
    ComboBox12 = MakeComboBox(page, "ComboBox12", BuzzerItems(), -1, QRect(280, 72, 73, 21));
    Label45 = MakeCaptionLeftOf(page, "Label45", "Buzzer", ComboBox12);

    ComboBox7 = MakeComboBox(page, "ComboBox7", AlarmModeItems(), -1, QRect(280, 120, 73, 21));
    Label26 = MakeCaptionLeftOf(page, "Label26", "Tryb pracy", ComboBox7);
    Edit5 = MakeEdit(page, "Edit5", QString(), QRect(304, 152, 49, 21));
    Label6 = MakeCaptionLeftOf(page, "Label6", "Próg górny", Edit5);
    Edit16 = MakeEdit(page, "Edit16", QString(), QRect(304, 184, 49, 21));
    Label27 = MakeCaptionLeftOf(page, "Label27", "Próg dolny", Edit16);

    ComboBox9 = MakeComboBox(page, "ComboBox9", AlarmModeItems(), -1, QRect(280, 248, 73, 21));
    Label29 = MakeCaptionLeftOf(page, "Label29", "Tryb pracy", ComboBox9);
    Edit17 = MakeEdit(page, "Edit17", QString(), QRect(304, 280, 49, 21));
    Label30 = MakeCaptionLeftOf(page, "Label30", "Próg górny", Edit17);
    Edit18 = MakeEdit(page, "Edit18", QString(), QRect(304, 312, 49, 21));
    Label31 = MakeCaptionLeftOf(page, "Label31", "Próg dolny", Edit18);
}

void TForm1::BuildSettingsOutputs() {
    QWidget* page = TabSheet2;
    ComboBox2 = MakeComboBox(page, "ComboBox2", OutputRangeItems(), 1, QRect(504, 72, 65, 21));
    Label1 = MakeCaptionLeftOf(page, "Label1", "Rodzaj wyjścia", ComboBox2);
    Edit1 = MakeEdit(page, "Edit1", QString(), QRect(504, 112, 49, 21));
    Label4 = MakeCaptionLeftOf(page, "Label4", "Wyjście 1 min", Edit1);
    Edit2 = MakeEdit(page, "Edit2", QString(), QRect(504, 144, 49, 21));
    Label5 = MakeCaptionLeftOf(page, "Label5", "Wyjście 1 max", Edit2);

    ComboBox5 = MakeComboBox(page, "ComboBox5", OutputRangeItems(), 1, QRect(504, 248, 65, 21));
    Label32 = MakeCaptionLeftOf(page, "Label32", "Rodzaj wyjścia", ComboBox5);
    Edit3 = MakeEdit(page, "Edit3", QString(), QRect(504, 280, 49, 21));
    Label2 = MakeCaptionLeftOf(page, "Label2", "Wyjście 2 min", Edit3);
    Edit4 = MakeEdit(page, "Edit4", QString(), QRect(504, 312, 49, 21));
    Label3 = MakeCaptionLeftOf(page, "Label3", "Wyjście 2 max", Edit4);
}

void TForm1::BuildSettingsLogger() {
    QWidget* page = TabSheet2;
    ComboBox11 = MakeComboBox(page, "ComboBox11", LoggerModeItems(), -1, QRect(688, 72, 49, 21));
    Label46 = MakeCaptionLeftOf(page, "Label46", "Mode", ComboBox11);
    ComboBox13 =
        MakeComboBox(page, "ComboBox13", RecordIntervalItems(), -1, QRect(688, 112, 49, 21));
    Label51 = MakeCaptionLeftOf(page, "Label51", "Record when AL1", ComboBox13);
    ComboBox14 =
        MakeComboBox(page, "ComboBox14", RecordIntervalItems(), -1, QRect(688, 144, 49, 21));
    Label55 = MakeCaptionLeftOf(page, "Label55", "Record when AL2", ComboBox14);
    ComboBox15 =
        MakeComboBox(page, "ComboBox15", RecordIntervalItems(), -1, QRect(688, 176, 49, 21));
    Label56 = MakeCaptionLeftOf(page, "Label56", "Record interval", ComboBox15);
}

// Controls that stay hidden for the whole run but still hold values.
void TForm1::BuildSettingsHidden() {
    QWidget* page = TabSheet2;
    Label9 =
        MakeLabel(page, "Label9", "Brak komunikacji !", QRect(24, 472, 106, 13), FontLook{0, true});
    MakeRed(Label9);
    Label9->hide();

    Label19 = MakeLabel(page, "Label19", "Czyszczenie co", QRect(272, 456, 0, 0));
    Edit12 = MakeEdit(page, "Edit12", QString(), QRect(360, 448, 49, 21));
    Label20 = MakeLabel(page, "Label20", "godzin(y)", QRect(416, 456, 0, 0));
    Label19->hide();
    HideAndDisable(Edit12);
    Label20->hide();

    ComboBox3 = MakeComboBox(page, "ComboBox3", HiddenUnitItems(), 0, QRect(576, 200, 57, 21));
    ComboBox4 = MakeComboBox(page, "ComboBox4", HiddenUnitItems(), 0, QRect(88, 400, 57, 21));
    ComboBox6 = MakeComboBox(page, "ComboBox6", HiddenUnitItems(), 5, QRect(568, 192, 57, 21));
    ComboBox8 = MakeComboBox(page, "ComboBox8", HiddenUnitItems(), 5, QRect(64, 368, 57, 21));
    Label18 = MakeLabel(page, "Label18", "Jednostka", QRect(488, 208, 0, 0));
    Label33 = MakeLabel(page, "Label33", "Jednostka", QRect(488, 192, 0, 0));
    Label25 = MakeLabel(page, "Label25", "Jednostki", QRect(24, 408, 0, 0));
    Label28 = MakeLabel(page, "Label28", "Jednostki", QRect(16, 376, 0, 0));
    for (QComboBox* combo : {ComboBox3, ComboBox4, ComboBox6, ComboBox8}) {
        HideAndDisable(combo);
    }
    for (QLabel* label : {Label18, Label33, Label25, Label28}) {
        label->hide();
    }
}

void TForm1::BuildHygrometerTab() {
    QWidget* page = TabSheet3;
    const FontLook caption{kReadoutCaptionPixels, false};
    const QColor teal(0, 128, 128);

    Label10 = MakeLabel(page, "Label10", "Temperatura punktu rosy", QRect(48, 32, 184, 20),
                        FontLook{kLargeTextPixels, false});
    Edit20 = MakeEdit(page, "Edit20", "- - - - -", QRect(11, 56, 249, 105));
    MakeReadout(Edit20, kDewPointPixels, QColor(128, 0, 0), QColor(255, 0, 0), DewPointSamples());

    Label11 =
        MakeLabel(page, "Label11", "Temperatura otoczenia", QRect(112, 192, 139, 16), caption);
    Edit14 = MakeEdit(page, "Edit14", "- - - - -", QRect(128, 216, 129, 59));
    MakeReadout(Edit14, kReadoutPixels, teal, QColor(), TemperatureSamples());

    Label8 =
        MakeLabel(page, "Label8", "Wilgotność względna [%]", QRect(104, 320, 150, 16), caption);
    Edit6 = MakeEdit(page, "Edit6", "- - - -", QRect(128, 344, 121, 59));
    MakeReadout(Edit6, kReadoutPixels, teal, QColor(), HumiditySamples());

    Connect = MakeButton(page, "Connect", "Połącz", QRect(432, 200, 105, 81),
                         FontLook{kLargeTextPixels, false});
    Button1 = MakeButton(page, "Button1", "Wczytaj wykres", QRect(440, 376, 97, 25));

    const FontLook maker{kLargeTextPixels, true};
    StaticText1 = MakeLabel(page, "StaticText1", "NIVIon", QRect(512, 32, 196, 24), maker);
    StaticText2 = MakeLabel(page, "StaticText2", "Hygrometer", QRect(544, 56, 112, 24), maker);
    Label17 = MakeLabel(page, "Label17", "v. 2.22", QRect(688, 504, 33, 13));

    BuildHygrometerBelowPage();
}

// Readouts placed below the page's bottom edge: they receive every sample (the log copies
// some of their texts) but the window never shows them.
void TForm1::BuildHygrometerBelowPage() {
    QWidget* page = TabSheet3;
    Label35 = MakeLabel(page, "Label35", "Czas pracy", QRect(40, 576, 0, 0));
    Label16 = MakeLabel(page, "Label16", "Status", QRect(128, 576, 0, 0));
    Label34 = MakeLabel(page, "Label34", "Urzadzenie:", QRect(192, 576, 0, 0));

    Label23 = MakeLabel(page, "Label23", "Temperatura lustra", QRect(32, 624, 0, 0));
    Edit15 = MakeEdit(page, "Edit15", "- - - -", QRect(24, 648, 105, 56));
    Label22 = MakeLabel(page, "Label22", "Temperatura glowicy", QRect(176, 624, 0, 0));
    Edit7 = MakeEdit(page, "Edit7", "- - - -", QRect(176, 648, 105, 59));
    Label21 = MakeLabel(page, "Label21", "Szron", QRect(336, 656, 0, 0));
    Edit13 = MakeEdit(page, "Edit13", "Edit13", QRect(336, 672, 89, 27));
    Label12 = MakeLabel(page, "Label12", "Zaroszenie lustra [jp]", QRect(448, 656, 0, 0));
    Edit8 = MakeEdit(page, "Edit8", "Edit8", QRect(448, 672, 97, 28));

    Edit22 = MakeEdit(page, "Edit22", "Edit22", QRect(336, 600, 89, 21));
    Edit23 = MakeEdit(page, "Edit23", "Edit23", QRect(448, 600, 97, 21));
    Edit19 = MakeEdit(page, "Edit19", "Edit19", QRect(336, 624, 89, 21));
    Edit21 = MakeEdit(page, "Edit21", "Edit21", QRect(448, 624, 97, 21));

    Label13 = MakeLabel(page, "Label13", "Moc peltiera [jp]", QRect(384, 728, 0, 0));
    Edit9 = MakeEdit(page, "Edit9", "Edit9", QRect(384, 752, 97, 28));
    Label14 = MakeLabel(page, "Label14", "Wyjscie 1 [mA]", QRect(104, 728, 0, 0));
    Edit10 = MakeEdit(page, "Edit10", "Edit10", QRect(104, 752, 97, 28));
    Label15 = MakeLabel(page, "Label15", "Wyjscie 2 [mA]", QRect(232, 728, 0, 0));
    Edit11 = MakeEdit(page, "Edit11", "Edit11", QRect(232, 752, 97, 28));
    for (QWidget* widget : {static_cast<QWidget*>(Label13), static_cast<QWidget*>(Edit9),
                            static_cast<QWidget*>(Label14), static_cast<QWidget*>(Edit10),
                            static_cast<QWidget*>(Label15), static_cast<QWidget*>(Edit11)}) {
        widget->hide();
    }
}

void TForm1::BuildLoggerTab() {
    QWidget* page = TabSheet4;
    struct Row {
        QLabel** label;
        const char* labelName;
        const char* caption;
        QLineEdit** edit;
        const char* editName;
        int labelTop;
        int editTop;
    };
    const Row rows[] = {
        {&Label42, "Label42", "Numer", &Edit30, "Edit30", 32, 24},
        {&Label41, "Label41", "ID obiektu", &Edit29, "Edit29", 56, 48},
        {&Label36, "Label36", "Wilgotnosc", &Edit24, "Edit24", 96, 88},
        {&Label37, "Label37", "Temperatura", &Edit25, "Edit25", 120, 112},
        {&Label40, "Label40", "Data", &Edit27, "Edit27", 152, 144},
        {&Label39, "Label39", "Czas", &Edit28, "Edit28", 176, 168},
        {&Label38, "Label38", "Status", &Edit26, "Edit26", 208, 200},
    };
    for (const Row& row : rows) {
        *row.label = MakeLabel(page, row.labelName, row.caption, QRect(96, row.labelTop, 0, 0));
        *row.edit = MakeEdit(page, row.editName, QString(), QRect(168, row.editTop, 81, 21));
        (*row.edit)->setReadOnly(true);
    }

    Label43 = MakeLabel(page, "Label43", "Wprowadx numer rekordu", QRect(88, 288, 0, 0));
    Label44 = MakeLabel(page, "Label44", "[0 ... 255]", QRect(120, 304, 0, 0));
    Edit31 = MakeEdit(page, "Edit31", QString(), QRect(120, 320, 41, 21));
    Button3 = MakeButton(page, "Button3", "Wczytaj dane", QRect(200, 320, 75, 25));
    Button4 = MakeButton(page, "Button4", "Zapisz dane w pliku", QRect(408, 312, 121, 41));

    ProgressBar1 = new QProgressBar(page);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(392, 280, 150, 16);
    ProgressBar1->setMinimum(0);
    ProgressBar1->setValue(0);
    ProgressBar1->hide();
}
