#pragma once
// The background poll loop: "01t?end" about once a second for as long as the window is
// open. The worker writes the log itself and touches no widget: every sample and its
// formatted texts reach the window through queued signals, in the order of the cycles.

#include <QLocale>
#include <QObject>
#include <QString>
#include <QTime>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "link/instrument_link.h"
#include "measure/measurement_log.h"
#include "measure/measurement_record.h"
#include "measure/readout_format.h"

struct SampleUpdate {
    std::int32_t sampleCount = 0;
    QTime time;
    MeasurementSample sample;
    MeasurementReadouts readouts;
};
Q_DECLARE_METATYPE(SampleUpdate)

class MeasurementWorker : public QObject {
    Q_OBJECT
  public:
    // Runs on the worker thread after each poll and before the second pause, with no
    // exchange held; the pending settings write goes here.
    using AfterPollHook = std::function<void(InstrumentLink&)>;

    MeasurementWorker(InstrumentLink& link, MeasurementLog& log, QLocale locale);
    ~MeasurementWorker() override;

    void SetAfterPollHook(AfterPollHook hook) { afterPoll_ = std::move(hook); }

    // Starts the thread; PollingActive goes to all ones first.
    void Start();
    // Clears PollingActive, wakes the worker's sleep (by shutting the link down) and
    // waits for the thread. Returns after at most the exchange in progress.
    void Stop();

    bool Running() const { return thread_.joinable(); }
    std::int32_t SampleCount() const { return sampleCount_.load(); }

  signals:
    void SampleReady(const SampleUpdate& update);
    // A cycle brought no bytes: the dew-point readout shows "Error".
    void PollFailed();
    // The log could not be written; sent once until a line is written again.
    void LogFailed(const QString& message);

  private:
    void Run();
    void PollCycle();

    InstrumentLink& link_;
    MeasurementLog& log_;
    const QLocale locale_;
    AfterPollHook afterPoll_;
    std::atomic<std::int32_t> pollingActive_{0};
    std::atomic<std::int32_t> sampleCount_{0};
    bool logFailing_ = false;
    std::thread thread_;
};
