#include "app/main_controller.h"

#include <QEvent>
#include <QLocale>

#include "app/main_window.h"
#include "telemetry/telemetry_texts.h"

MainController::MainController(TForm1& form, ControllerOptions options)
    : form_(form),
      session_(SessionOptions{.ports = std::move(options.ports),
                              .locale = QLocale(),
                              .recordDirectory = std::move(options.recordDirectory),
                              .pressureHpa = options.pressureHpa,
                              .systemPorts = std::move(options.systemPorts)}),
      telemetry_(session_, std::move(options.telemetry)),
      status_(*form.StatusBar, session_) {
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
    connect(publisher, &SessionPublisher::Unreachable, this,
            [this, publisher](const QString& reason) {
                status_.SetBrokerProblem(
                    telemetry_texts::MqttUnreachable(publisher->Address(), reason));
            });
    connect(publisher, &SessionPublisher::Connected, this,
            [this] { status_.SetBrokerProblem({}); });
}

bool MainController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &form_ && event->type() == QEvent::Close) {
        Shutdown();
    }
    return QObject::eventFilter(watched, event);
}
