#include "app/main_controller.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "app/connect_texts.h"
#include "app/error_box.h"
#include "app/info_box.h"
#include "app/main_window.h"

namespace {

// Grey for a readout that no sample has confirmed since a poll failed.
const QColor kStaleText(150, 150, 150);

}  // namespace

MainController::MainController(TForm1& form, ControllerOptions options)
    : form_(form),
      options_(std::move(options)),
      session_(SessionOptions{.ports = options_.ports,
                              .locale = QLocale(),
                              .recordDirectory = options_.recordDirectory}),
      settings_(form, session_, options_.englishUi),
      logger_(form, session_, options_.englishUi),
      chart_(form),
      status_(*form.StatusBar1, session_, options_.englishUi) {
    connect(form_.Connect, &QPushButton::clicked, this, &MainController::ConnectClick);
    connect(form_.Button1, &QPushButton::clicked, &chart_, &ChartHandlers::Button1Click);
    connect(form_.Button2, &QPushButton::clicked, &settings_, &SettingsHandlers::Button2Click);
    connect(form_.ZapisUstawien, &QPushButton::clicked, &settings_,
            &SettingsHandlers::ZapisUstawienClick);
    connect(form_.ComboBox1, &QComboBox::activated, &settings_, &SettingsHandlers::ComboBox1Change);
    connect(form_.ComboBox10, &QComboBox::activated, &settings_,
            &SettingsHandlers::ComboBox10Change);
    connect(form_.Button3, &QPushButton::clicked, &logger_, &LoggerHandlers::Button3Click);
    connect(form_.Button4, &QPushButton::clicked, &logger_, &LoggerHandlers::Button4Click);

    connect(&session_, &InstrumentSession::NotFound, this, &MainController::ShowNotFound);
    connect(&session_, &InstrumentSession::Identified, this, &MainController::ShowIdentified);
    connect(&session_, &InstrumentSession::VersionRead, this, &MainController::ShowVersion);
    connect(&session_, &InstrumentSession::ConnectFailed, this, &MainController::ShowConnectFailed);
    connect(&session_, &InstrumentSession::Connected, this, &MainController::ShowConnected);
    connect(&session_, &InstrumentSession::ConnectionLost, this,
            &MainController::ShowConnectionLost);
    connect(&session_, &InstrumentSession::SampleReady, this, &MainController::ApplySample);
    connect(&session_, &InstrumentSession::PollFailed, this, &MainController::ShowPollError);
    connect(&session_, &InstrumentSession::LogFailed, this,
            [this](const QString& message) { ShowErrorBox(&form_, message); });
    connect(&session_, &InstrumentSession::RecordFailed, this,
            [this](const QString& message) { ShowErrorBox(&form_, message); });
    // One exchange job at a time: the buttons that would start another wait for it.
    connect(&session_, &InstrumentSession::BusyChanged, this, [this](bool busy) {
        for (QPushButton* button : {form_.Button2, form_.Button3, form_.Button4}) {
            button->setEnabled(!busy);
        }
    });

    for (QWidget* readout : std::initializer_list<QWidget*>{
             form_.Edit7, form_.Edit8, form_.Edit9, form_.Edit6, form_.Edit13, form_.Edit14,
             form_.Edit15, form_.Edit21, form_.Edit19, form_.Edit23, form_.Edit22, form_.Label35}) {
        readoutPalettes_[readout] = readout->palette();
    }
    form_.installEventFilter(this);
}

MainController::~MainController() {
    Shutdown();
}

void MainController::Shutdown() {
    session_.Stop();
    EndScanCursor();
}

bool MainController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &form_ && event->type() == QEvent::Close) {
        Shutdown();
    }
    return QObject::eventFilter(watched, event);
}

void MainController::ConnectClick() {
    const SessionState before = session_.State();
    if (session_.Connect() != SessionRequest::Started || before != SessionState::NotConnected) {
        return;  // measuring, or a retry after a loss that the status bar follows
    }
    form_.Connect->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    scanCursor_ = true;
}

void MainController::EndScanCursor() {
    if (scanCursor_) {
        QApplication::restoreOverrideCursor();
        scanCursor_ = false;
    }
}

void MainController::ShowNotFound(const DiscoveryResult& result) {
    EndScanCursor();
    const ConnectTexts& texts = ConnectTextsFor(options_.englishUi);
    form_.Label9->setText(QString::fromUtf8(texts.notFound));
    form_.Connect->setEnabled(true);
    ShowInfoBox(
        &form_, QString::fromUtf8(texts.notFound),
        QString::fromUtf8(texts.notFound) + "\n\n" + NotFoundDetails(result, options_.englishUi));
}

void MainController::ShowIdentified(const QString& identification) {
    EndScanCursor();
    ShowInfoBox(&form_,
                QString::fromUtf8(ConnectTextsFor(options_.englishUi).identificationCaption),
                identification);
    session_.ContinueConnect();  // after the operator has read it
}

void MainController::ShowVersion(const InstrumentVersion& version) {
    form_.Label16->setText(VersionText(version, options_.englishUi));
    form_.Connect->setEnabled(false);
}

void MainController::ShowConnectFailed(const QString& message) {
    // Without a log nothing may be measured; the port is closed so the operator can fix the
    // directory and connect again.
    ShowErrorBox(&form_, message);
    form_.Connect->setEnabled(true);
}

void MainController::ShowConnected() {
    if (connectCaption_.isEmpty()) {
        connectCaption_ = form_.Connect->text();
    }
    form_.Connect->setText(QString::fromUtf8(ConnectTextsFor(options_.englishUi).measuring));
    form_.Connect->setEnabled(false);
}

void MainController::ShowConnectionLost() {
    // Connect retries at once; the session retries by itself meanwhile.
    form_.Connect->setText(connectCaption_);
    form_.Connect->setEnabled(true);
    SetReadoutsStale(true);
}

void MainController::ApplySample(const SampleUpdate& update) {
    SetReadoutsStale(false);
    for (const ReadoutText& readout : ReadoutsInShowOrder(update.readouts)) {
        if (auto* edit = form_.findChild<QLineEdit*>(readout.control)) {
            edit->setText(readout.text);
        } else if (auto* label = form_.findChild<QLabel*>(readout.control)) {
            label->setText(readout.text);
        }
    }
    chart_.AddSample(update);
}

void MainController::ShowPollError() {
    form_.Edit20->setText("Error");
    SetReadoutsStale(true);
}

void MainController::SetReadoutsStale(bool stale) {
    if (stale == readoutsStale_) {
        return;
    }
    readoutsStale_ = stale;
    for (const auto& [readout, normal] : readoutPalettes_) {
        QPalette palette = normal;
        if (stale) {
            palette.setColor(QPalette::Text, kStaleText);
            palette.setColor(QPalette::WindowText, kStaleText);
        }
        readout->setPalette(palette);
    }
}
