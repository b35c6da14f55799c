#include "app/main_controller.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>

#include "app/main_window.h"
#include "telemetry/telemetry_texts.h"

MainController::MainController(TForm1& form, ControllerOptions options)
    : form_(form),
      session_(SessionOptions{.ports = std::move(options.ports),
                              .locale = QLocale(),
                              .recordDirectory = std::move(options.recordDirectory)}),
      telemetry_(session_, std::move(options.telemetry)),
      status_(*form.StatusBar1, session_) {
    telemetry_.Start(telemetryError_);
    ShowBrokerProblems();
    form_.Attach(session_);
    form_.installEventFilter(this);
}

MainController::~MainController() {
    Shutdown();
}

void MainController::Shutdown() {
    session_.Stop();
    telemetry_.Close();  // "offline" to the broker once nothing more is measured
}

void MainController::ShowBrokerProblems() {
    SessionPublisher* publisher = telemetry_.Publisher();
    if (publisher == nullptr) {
        return;
    }
    // Beside the session's own status, until the broker takes the connection.
    auto* problem = new QLabel(form_.StatusBar1);
    problem->setObjectName("BrokerProblem");
    problem->setTextFormat(Qt::PlainText);
    form_.StatusBar1->addPermanentWidget(problem);
    connect(publisher, &SessionPublisher::Unreachable, problem,
            [problem, publisher](const QString& reason) {
                problem->setText(telemetry_texts::MqttUnreachable(publisher->Address(), reason));
            });
    connect(publisher, &SessionPublisher::Connected, problem, [problem] { problem->clear(); });
}

bool MainController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &form_ && event->type() == QEvent::Close) {
        Shutdown();
    }
    return QObject::eventFilter(watched, event);
}
