#pragma once
// What the window works with: the instrument session and the status bar that follows it.
// Owned next to the window; the session is stopped when the window closes, before any
// widget goes away.

#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/status_presenter.h"
#include "link/port_candidates.h"
#include "session/instrument_session.h"
#include "telemetry/session_telemetry.h"

class TForm1;

struct ControllerOptions {
    std::vector<std::string> ports;  // replaces the system's port list when not empty
    // Where the dated record goes (empty: the working directory); none when not given.
    std::optional<std::string> recordDirectory = std::nullopt;
    TelemetryOptions telemetry = {};  // the metrics and the MQTT broker, when asked for
    // `--pressure`: the pressure of the humidity quantities, over the instrument's setting.
    std::optional<double> pressureHpa = std::nullopt;
    // The system's port list (tests hand in their own).
    std::function<std::vector<std::string>()> systemPorts = SystemPortCandidates;
};

class MainController : public QObject {
    Q_OBJECT
  public:
    MainController(TForm1& form, ControllerOptions options);
    ~MainController() override;

    // Stops the session: every job within one exchange, the worker, the log, the port.
    // Idempotent.
    void Shutdown();

    InstrumentSession& session() { return session_; }
    const StatusPresenter& status() const { return status_; }
    const SessionTelemetry& telemetry() const { return telemetry_; }
    // Why the metrics asked for are not served; empty when they are, or were not asked for.
    const QString& TelemetryError() const { return telemetryError_; }

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A broker that cannot be reached, or refuses the login or its certificate, said in the
    // status bar.
    void ShowBrokerProblems();

    TForm1& form_;
    InstrumentSession session_;
    // Started before the session's first signal, so it sees the whole connect.
    SessionTelemetry telemetry_;
    QString telemetryError_;
    StatusPresenter status_;
};
