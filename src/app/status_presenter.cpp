#include "app/status_presenter.h"

#include <QStatusBar>

StatusPresenter::StatusPresenter(QStatusBar& bar, InstrumentSession& session)
    : bar_(bar), session_(session) {
    connect(&session_, &InstrumentSession::StateChanged, this, [this](SessionState state) {
        status_.state = state;
        status_.scanPlace = 0;
        status_.port = QString::fromStdString(session_.PortPath());
        status_.identification = session_.Identification();
        if (state == SessionState::Connected) {
            sinceData_.start();
        }
        if (state == SessionState::Scanning) {
            status_.portNote.clear();  // what the link says of this scan's ports comes next
        }
        silent_ = false;
        Show();
    });
    connect(&session_, &InstrumentSession::ScanProgress, this, [this](int place, int count) {
        status_.scanPlace = place;
        status_.scanCount = count;
        Show();
    });
    connect(&session_, &InstrumentSession::SampleReady, this, [this](const SampleUpdate& u) {
        status_.samples = u.sampleCount;
        status_.lastSample = u.time;
        status_.replyBytes = u.replyBytes;
        sinceData_.start();
        silent_ = false;
        Show();
    });
    connect(&session_, &InstrumentSession::PollFailed, this, [this] {
        silent_ = true;
        Show();
    });
    const auto tellFiles = [this](const QString& message) {
        status_.files = message;
        Show();
    };
    connect(&session_, &InstrumentSession::LogFailed, this, tellFiles);
    connect(&session_, &InstrumentSession::RecordFailed, this, tellFiles);
    connect(&session_, &InstrumentSession::LogNote, this, tellFiles);
    connect(&session_, &InstrumentSession::PortNote, this, [this](const QString& message) {
        status_.portNote = message;
        Show();
    });
    // The silence is counted in whole seconds while it lasts.
    tick_.setInterval(1000);
    connect(&tick_, &QTimer::timeout, this, [this] {
        if (silent_) {
            Show();
        }
    });
    tick_.start();
    Show();
}

void StatusPresenter::Show() {
    status_.silentSeconds =
        silent_ && sinceData_.isValid() ? static_cast<int>(sinceData_.elapsed() / 1000) : -1;
    const QString text = StatusText(status_);
    bar_.showMessage(brokerProblem_.isEmpty() ? text
                                              : text + QStringLiteral("  |  ") + brokerProblem_);
}

void StatusPresenter::SetBrokerProblem(const QString& text) {
    brokerProblem_ = text;
    bar_.setToolTip(text);
    Show();
}
