#pragma once
// Form1, the program's one window: four tabs (chart, settings, hygrometer readouts, logger)
// with every control at its fixed pixel position. Controls are public and carry their
// names as object names, so the handlers, the measurement worker and tests reach them
// directly by name.

#include <QWidget>

#include "chart/hygro_chart.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;

class TForm1 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm1(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;  // "Wykres"
    QWidget* TabSheet2 = nullptr;  // "Ustawienia"
    QWidget* TabSheet3 = nullptr;  // "Higrometr"
    QWidget* TabSheet4 = nullptr;  // "Rejestrator"

    // Chart tab.
    HygroChart* Chart1 = nullptr;

    // Settings tab: group headings.
    QLabel* Label50 = nullptr;
    QLabel* Label47 = nullptr;
    QLabel* Label48 = nullptr;
    QLabel* Label49 = nullptr;
    // Basic.
    QLabel* Label7 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label24 = nullptr;
    QComboBox* ComboBox10 = nullptr;
    QLabel* Label52 = nullptr;
    QLineEdit* Edit32 = nullptr;
    QLabel* Label53 = nullptr;
    QLineEdit* Edit33 = nullptr;
    QLabel* Label54 = nullptr;
    // Alarms.
    QLabel* Label45 = nullptr;
    QComboBox* ComboBox12 = nullptr;
    QLabel* Label26 = nullptr;
    QComboBox* ComboBox7 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLabel* Label27 = nullptr;
    QLineEdit* Edit16 = nullptr;
    QLabel* Label29 = nullptr;
    QComboBox* ComboBox9 = nullptr;
    QLabel* Label30 = nullptr;
    QLineEdit* Edit17 = nullptr;
    QLabel* Label31 = nullptr;
    QLineEdit* Edit18 = nullptr;
    // Analogue outputs.
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label32 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    // Logger options.
    QLabel* Label46 = nullptr;
    QComboBox* ComboBox11 = nullptr;
    QLabel* Label51 = nullptr;
    QComboBox* ComboBox13 = nullptr;
    QLabel* Label55 = nullptr;
    QComboBox* ComboBox14 = nullptr;
    QLabel* Label56 = nullptr;
    QComboBox* ComboBox15 = nullptr;
    // Buttons.
    QPushButton* Button2 = nullptr;
    QPushButton* ZapisUstawien = nullptr;
    // Hidden: status label, cleaning interval, unit lists kept in step with the visible ones.
    QLabel* Label9 = nullptr;
    QLabel* Label19 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QLabel* Label20 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QComboBox* ComboBox8 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label33 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label28 = nullptr;

    // Hygrometer tab: the readouts in view.
    QLabel* Label10 = nullptr;
    QLineEdit* Edit20 = nullptr;  // dew point
    QLabel* Label11 = nullptr;
    QLineEdit* Edit14 = nullptr;  // ambient temperature
    QLabel* Label8 = nullptr;
    QLineEdit* Edit6 = nullptr;  // relative humidity
    QPushButton* Connect = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* Label17 = nullptr;
    // Below the page's bottom edge: written to, never seen.
    QLabel* Label35 = nullptr;  // running time
    QLabel* Label16 = nullptr;  // version and serial number
    QLabel* Label34 = nullptr;
    QLabel* Label23 = nullptr;
    QLineEdit* Edit15 = nullptr;  // mirror temperature
    QLabel* Label22 = nullptr;
    QLineEdit* Edit7 = nullptr;  // head temperature
    QLabel* Label21 = nullptr;
    QLineEdit* Edit13 = nullptr;  // frost
    QLabel* Label12 = nullptr;
    QLineEdit* Edit8 = nullptr;  // mirror dew coverage
    QLineEdit* Edit22 = nullptr;
    QLineEdit* Edit23 = nullptr;
    QLineEdit* Edit19 = nullptr;
    QLineEdit* Edit21 = nullptr;
    // Hidden as well.
    QLabel* Label13 = nullptr;
    QLineEdit* Edit9 = nullptr;  // Peltier power
    QLabel* Label14 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLabel* Label15 = nullptr;
    QLineEdit* Edit11 = nullptr;

    // Logger tab: one logger record.
    QLabel* Label42 = nullptr;
    QLineEdit* Edit30 = nullptr;
    QLabel* Label41 = nullptr;
    QLineEdit* Edit29 = nullptr;
    QLabel* Label36 = nullptr;
    QLineEdit* Edit24 = nullptr;
    QLabel* Label37 = nullptr;
    QLineEdit* Edit25 = nullptr;
    QLabel* Label40 = nullptr;
    QLineEdit* Edit27 = nullptr;
    QLabel* Label39 = nullptr;
    QLineEdit* Edit28 = nullptr;
    QLabel* Label38 = nullptr;
    QLineEdit* Edit26 = nullptr;
    QLabel* Label43 = nullptr;
    QLabel* Label44 = nullptr;
    QLineEdit* Edit31 = nullptr;  // record number
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    // Below the tabs: where the connection stands.
    QStatusBar* StatusBar1 = nullptr;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildChartTab();
    void BuildSettingsTab();
    void BuildSettingsBasic();
    void BuildSettingsAlarms();
    void BuildSettingsOutputs();
    void BuildSettingsLogger();
    void BuildSettingsHidden();
    void BuildHygrometerTab();
    void BuildHygrometerBelowPage();
    void BuildLoggerTab();
};
