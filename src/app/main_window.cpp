#include "app/main_window.h"

#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>

#include "app/app_icon.h"
#include "app/app_texts.h"
#include "app/form_controls.h"
#include "session/instrument_session.h"

namespace {

// The design's outer size includes a 4-pixel border on each side and a 19-pixel caption;
// Qt sizes the client area, which must hold the 753 x 553 page control.
constexpr QSize kOuterSize(766, 585);
constexpr QSize kClientSize(758, 558);
constexpr QSize kPageControlSize(753, 553);

// Liberation Sans (fonts-liberation2) has the metrics of the faces the design was drawn
// with, so its pixel sizes fit; then those faces themselves, then whatever sans is there.
QStringList WindowFontFamilies() {
    return {"Liberation Sans",      "Arial",       "MS Sans Serif",
            "Microsoft Sans Serif", "DejaVu Sans", "Sans Serif"};
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

    Tabs = new QTabWidget(this);
    Tabs->setObjectName(QStringLiteral("PageControl1"));
    Tabs->setGeometry(QRect(QPoint(0, 0), kPageControlSize));
    // Pages are made inside the tab control, so they take the window's font as they build.
    ChartTab = new ChartPage(Tabs);
    SettingsTab = new SettingsPage(Tabs);
    HygrometerTab = new HygrometerPage(Tabs);
    LoggerTab = new LoggerPage(Tabs);
    QuantitiesTab = new QuantitiesPage(Tabs);
    Tabs->addTab(ChartTab, tr("Wykres", "TabSheet1"));
    Tabs->addTab(SettingsTab, tr("Ustawienia", "TabSheet2"));
    Tabs->addTab(HygrometerTab, tr("Higrometr", "TabSheet3"));
    Tabs->addTab(LoggerTab, tr("Rejestrator", "TabSheet4"));
    Tabs->addTab(QuantitiesTab, tr("Wielkości", "TabSheet5"));
    Tabs->setCurrentWidget(HygrometerTab);
    connect(HygrometerTab->LoadChartButton, &QPushButton::clicked, ChartTab,
            &ChartPage::ChooseAndLoadFile);

    // The window grows by the status bar's height; the tabs keep their places above it. It
    // opens at the design's size and may be enlarged, never shrunk below it.
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar->setSizeGripEnabled(false);
    StabilityStatus = new QLabel(StatusBar);
    StabilityStatus->setObjectName(QStringLiteral("StabilityStatus"));
    StabilityStatus->setTextFormat(Qt::PlainText);
    StatusBar->addPermanentWidget(StabilityStatus);
    connect(QuantitiesTab, &QuantitiesPage::VerdictChanged, StabilityStatus, &QLabel::setText);
    const QSize designSize(kClientSize.width(),
                           kClientSize.height() + StatusBar->sizeHint().height());
    setMinimumSize(designSize);
    resize(designSize);

    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const QPoint centred = area.center() - QPoint(kOuterSize.width(), kOuterSize.height()) / 2;
        move(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()));
    }
}

void TForm1::Attach(InstrumentSession& session) {
    // The settings page first: a scan that found nothing names it in the settings page's
    // status caption before the hygrometer page says so in a box.
    SettingsTab->Attach(session);
    HygrometerTab->Attach(session);
    LoggerTab->Attach(session);
    QuantitiesTab->Attach(session);
    connect(&session, &InstrumentSession::SampleReady, ChartTab, &ChartPage::AddSample);
    // One exchange job at a time: the buttons that would start another wait for it.
    connect(&session, &InstrumentSession::BusyChanged, this, [this](bool busy) {
        for (QPushButton* button : {SettingsTab->ReadSettingsButton, LoggerTab->ReadRecordButton,
                                    LoggerTab->DumpButton}) {
            button->setEnabled(!busy && !LoggerTab->Dumping());
        }
    });
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (StatusBar == nullptr) {
        return;
    }
    // The tab control keeps the design's margins to the right and below; the chart and the
    // scrolling Hygrometer page follow it, the other pages keep their controls in place.
    const int barHeight = StatusBar->sizeHint().height();
    StatusBar->setGeometry(0, height() - barHeight, width(), barHeight);
    const QSize margin = kClientSize - kPageControlSize;
    Tabs->resize(width() - margin.width(), height() - barHeight - margin.height());
}
