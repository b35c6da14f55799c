#pragma once
// The handlers of Form1 and the state behind them: the instrument link, the measurement
// worker and its log. Owned next to the window; shut down before any widget goes away.

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "app/chart_handlers.h"
#include "app/logger_handlers.h"
#include "app/settings_handlers.h"
#include "link/instrument_link.h"
#include "measure/measurement_log.h"
#include "measure/measurement_worker.h"

class TForm1;

struct ControllerOptions {
    std::vector<std::string> ports;  // replaces the system's port list when not empty
    bool englishUi = false;
};

class MainController : public QObject {
    Q_OBJECT
  public:
    MainController(TForm1& form, ControllerOptions options);
    ~MainController() override;

    // Stops the worker (within one exchange), closes the log and the port. Idempotent.
    void Shutdown();

    InstrumentLink& link() { return link_; }
    const MeasurementWorker* worker() const { return worker_.get(); }
    SettingsHandlers& settings() { return settings_; }

  public slots:
    void ConnectClick();

  private slots:
    void ApplySample(const SampleUpdate& update);
    void ShowPollError();
    void ShowLogError(const QString& message);

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ClearLinkBuffers();

    TForm1& form_;
    const ControllerOptions options_;
    InstrumentLink link_;
    MeasurementLog log_;
    std::unique_ptr<MeasurementWorker> worker_;
    SettingsHandlers settings_;
    LoggerHandlers logger_;
    ChartHandlers chart_;
};
