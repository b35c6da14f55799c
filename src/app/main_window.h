#pragma once
// Form1, the program's one window: five tabs (chart, settings, hygrometer readouts, logger,
// humidity quantities),
// each a page of its own with its controls at their fixed pixel positions and its
// handlers, and a status bar below them. Controls carry their design names as member and
// object names.

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

    QTabWidget* PageControl1 = nullptr;
    ChartPage* TabSheet1 = nullptr;       // "Wykres"
    SettingsPage* TabSheet2 = nullptr;    // "Ustawienia"
    HygrometerPage* TabSheet3 = nullptr;  // "Higrometr"
    LoggerPage* TabSheet4 = nullptr;      // "Rejestrator"
    QuantitiesPage* TabSheet5 = nullptr;  // "Wielkości"

    // Below the tabs: where the connection stands.
    QStatusBar* StatusBar1 = nullptr;
    // At the status bar's right end: the dew point's stability verdict.
    QLabel* StabilityStatus = nullptr;

  protected:
    void resizeEvent(QResizeEvent* event) override;
};
