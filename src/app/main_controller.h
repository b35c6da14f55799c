#pragma once
// The handlers of Form1 and the session behind them. The controller only wires: the session
// does every exchange off the user-interface thread, and its answers come back here as
// signals. Owned next to the window; the session is stopped before any widget goes away.

#include <QObject>
#include <QPalette>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/chart_handlers.h"
#include "app/logger_handlers.h"
#include "app/settings_handlers.h"
#include "app/status_presenter.h"
#include "session/instrument_session.h"

class TForm1;
class QWidget;

struct ControllerOptions {
    std::vector<std::string> ports;  // replaces the system's port list when not empty
    bool englishUi = false;
    // Where the dated record goes (empty: the working directory); none when not given.
    std::optional<std::string> recordDirectory = std::nullopt;
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
    SettingsHandlers& settings() { return settings_; }
    const StatusPresenter& status() const { return status_; }

  public slots:
    void ConnectClick();

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ShowNotFound(const DiscoveryResult& result);
    void ShowIdentified(const QString& identification);
    void ShowVersion(const InstrumentVersion& version);
    void ShowConnectFailed(const QString& message);
    void ShowConnected();
    void ShowConnectionLost();
    void ApplySample(const SampleUpdate& update);
    void ShowPollError();
    // A readout that no sample has confirmed since the last poll failed is greyed, so a
    // stale value never looks current.
    void SetReadoutsStale(bool stale);
    void EndScanCursor();

    TForm1& form_;
    const ControllerOptions options_;
    InstrumentSession session_;
    SettingsHandlers settings_;
    LoggerHandlers logger_;
    ChartHandlers chart_;
    StatusPresenter status_;
    QString connectCaption_;  // Connect's caption before measuring
    bool scanCursor_ = false;
    bool readoutsStale_ = false;
    std::map<QWidget*, QPalette> readoutPalettes_;
};
