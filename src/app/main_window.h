#pragma once
// Form1, the program's one window: five tabs (chart, settings, hygrometer readouts, logger,
// humidity quantities), each a page of its own with its controls at their fixed pixel
// positions and its handlers, and a status bar below them. Members are named by what they
// are; each control's object name is the design's (PageControl1, TabSheet1 ... TabSheet5),
// by which tests and tools find it.

#include <QWidget>

#include "app/chart_page.h"
#include "app/hygrometer_page.h"
#include "app/logger_page.h"
#include "app/quantities_page.h"
#include "app/settings_page.h"

class QLabel;
class QStatusBar;
class QTabWidget;
class InstrumentSession;

class TForm1 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm1(QWidget* parent = nullptr);

    // The pages' handlers ask `session` for their work. Once, before use.
    void Attach(InstrumentSession& session);

    QTabWidget* Tabs = nullptr;
    ChartPage* ChartTab = nullptr;            // "Wykres"
    SettingsPage* SettingsTab = nullptr;      // "Ustawienia"
    HygrometerPage* HygrometerTab = nullptr;  // "Higrometr"
    LoggerPage* LoggerTab = nullptr;          // "Rejestrator"
    QuantitiesPage* QuantitiesTab = nullptr;  // "Wielkości"

    // Below the tabs: where the connection stands.
    QStatusBar* StatusBar = nullptr;
    // At the status bar's right end: the dew point's stability verdict.
    QLabel* StabilityStatus = nullptr;

  protected:
    void resizeEvent(QResizeEvent* event) override;
};
