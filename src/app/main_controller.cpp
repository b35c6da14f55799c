#include "app/main_controller.h"

#include <QApplication>
#include <QComboBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "app/connect_texts.h"
#include "app/error_box.h"
#include "app/info_box.h"
#include "app/main_window.h"
#include "link/discovery.h"
#include "link/port_candidates.h"
#include "measure/file_error_text.h"

MainController::MainController(TForm1& form, ControllerOptions options)
    : form_(form),
      options_(std::move(options)),
      settings_(form, link_, options_.englishUi),
      logger_(form, link_, options_.englishUi),
      chart_(form) {
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
    form_.installEventFilter(this);
}

MainController::~MainController() {
    Shutdown();
}

void MainController::Shutdown() {
    if (worker_) {
        worker_->Stop();
    }
    link_.Shutdown();
    logger_.Shutdown();
    log_.Close();
    link_.BeginExchange().CloseInstrumentPort();
}

bool MainController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &form_ && event->type() == QEvent::Close) {
        Shutdown();
    }
    return QObject::eventFilter(watched, event);
}

void MainController::ConnectClick() {
    if (worker_) {
        return;  // connected once per run
    }
    const ConnectTexts& texts = ConnectTextsFor(options_.englishUi);
    settings_.ClearPending();
    const std::vector<std::string> candidates =
        options_.ports.empty() ? SystemPortCandidates() : options_.ports;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    const DiscoveryResult found = DiscoverInstrument(link_, candidates);
    QApplication::restoreOverrideCursor();

    if (!found.found) {
        form_.Label9->setText(QString::fromUtf8(texts.notFound));
        if (!link_.ShuttingDown()) {
            ShowInfoBox(&form_, QString::fromUtf8(texts.notFound),
                        QString::fromUtf8(texts.notFound) + "\n\n" +
                            NotFoundDetails(found, options_.englishUi));
        }
        ClearLinkBuffers();
        return;
    }

    ShowInfoBox(&form_, QString::fromUtf8(texts.identificationCaption),
                QString::fromStdString(found.identification));
    InstrumentVersion version;
    {
        Exchange ex = link_.BeginExchange();
        version = ReadInstrumentVersion(ex);
    }
    form_.Label16->setText(VersionText(version, options_.englishUi));
    form_.Connect->setEnabled(false);
    settings_.ReadInstrumentSettings();

    if (const int err = log_.Create(); err != 0) {
        // Without a log nothing may be measured; close the port so the operator can fix
        // the directory and connect again.
        ShowErrorBox(&form_, FileErrorText(err));
        link_.BeginExchange().CloseInstrumentPort();
        form_.Connect->setEnabled(true);
        ClearLinkBuffers();
        return;
    }

    ClearLinkBuffers();
    worker_ = std::make_unique<MeasurementWorker>(link_, log_, QLocale());
    connect(worker_.get(), &MeasurementWorker::SampleReady, this, &MainController::ApplySample);
    connect(worker_.get(), &MeasurementWorker::PollFailed, this, &MainController::ShowPollError);
    connect(worker_.get(), &MeasurementWorker::LogFailed, this, &MainController::ShowLogError);
    worker_->SetAfterPollHook(
        [this](InstrumentLink& link) { settings_.WritePendingSettings(link); });
    worker_->Start();
    form_.Connect->setText(QString::fromUtf8(texts.measuring));
}

void MainController::ClearLinkBuffers() {
    link_.BeginExchange().ClearBuffers();
}

void MainController::ApplySample(const SampleUpdate& update) {
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
}

void MainController::ShowLogError(const QString& message) {
    ShowErrorBox(&form_, message);
}
