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

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(QRect(QPoint(0, 0), kPageControlSize));
    // Pages are made inside the tab control, so they take the window's font as they build.
    TabSheet1 = new ChartPage(PageControl1);
    TabSheet2 = new SettingsPage(PageControl1);
    TabSheet3 = new HygrometerPage(PageControl1);
    TabSheet4 = new LoggerPage(PageControl1);
    TabSheet5 = new QuantitiesPage(PageControl1);
    PageControl1->addTab(TabSheet1, tr("Wykres", "TabSheet1"));
    PageControl1->addTab(TabSheet2, tr("Ustawienia", "TabSheet2"));
    PageControl1->addTab(TabSheet3, tr("Higrometr", "TabSheet3"));
    PageControl1->addTab(TabSheet4, tr("Rejestrator", "TabSheet4"));
    PageControl1->addTab(TabSheet5, tr("Wielkości", "TabSheet5"));
    PageControl1->setCurrentWidget(TabSheet3);
    connect(TabSheet3->Button1, &QPushButton::clicked, TabSheet1, &ChartPage::ChooseAndLoadFile);

    // The window grows by the status bar's height; the tabs keep their places above it. It
    // opens at the design's size and may be enlarged, never shrunk below it.
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StabilityStatus = new QLabel(StatusBar1);
    StabilityStatus->setObjectName(QStringLiteral("StabilityStatus"));
    StabilityStatus->setTextFormat(Qt::PlainText);
    StatusBar1->addPermanentWidget(StabilityStatus);
    connect(TabSheet5, &QuantitiesPage::VerdictChanged, StabilityStatus, &QLabel::setText);
    const QSize designSize(kClientSize.width(),
                           kClientSize.height() + StatusBar1->sizeHint().height());
    setMinimumSize(designSize);
    resize(designSize);

    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const QPoint centred = area.center() - QPoint(kOuterSize.width(), kOuterSize.height()) / 2;
        move(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()));
    }
}

void TForm1::Attach(InstrumentSession& session) {
    // The settings page first: a scan that found nothing names it in Label9 before the
    // hygrometer page says so in a box.
    TabSheet2->Attach(session);
    TabSheet3->Attach(session);
    TabSheet4->Attach(session);
    TabSheet5->Attach(session);
    connect(&session, &InstrumentSession::SampleReady, TabSheet1, &ChartPage::AddSample);
    // One exchange job at a time: the buttons that would start another wait for it.
    connect(&session, &InstrumentSession::BusyChanged, this, [this](bool busy) {
        for (QPushButton* button : {TabSheet2->Button2, TabSheet4->Button3, TabSheet4->Button4}) {
            button->setEnabled(!busy && !TabSheet4->Dumping());
        }
    });
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (StatusBar1 == nullptr) {
        return;
    }
    // The tab control keeps the design's margins to the right and below; the chart and the
    // scrolling Hygrometer page follow it, the other pages keep their controls in place.
    const int barHeight = StatusBar1->sizeHint().height();
    StatusBar1->setGeometry(0, height() - barHeight, width(), barHeight);
    const QSize margin = kClientSize - kPageControlSize;
    PageControl1->resize(width() - margin.width(), height() - barHeight - margin.height());
}
