#pragma once
// Follows an InstrumentSession into InstrumentMetrics: its labels, whether it is connected,
// the last sample while it is, and the counters. Each change goes to the collector whole.
// Lives on the session's thread.

#include <QObject>
#include <memory>

#include "metrics/metrics_collector.h"
#include "session/instrument_session.h"

class SessionMetrics : public QObject {
    Q_OBJECT
  public:
    SessionMetrics(InstrumentSession& session, std::shared_ptr<MetricsCollector> collector,
                   QObject* parent = nullptr);

    const InstrumentMetrics& Current() const { return metrics_; }

  private:
    template <typename Change>
    void Apply(Change change) {
        change(metrics_);
        collector_->Set(metrics_);
    }
    void TakeSample(const SampleUpdate& update);

    InstrumentSession& session_;
    const std::shared_ptr<MetricsCollector> collector_;
    InstrumentMetrics metrics_;
    bool lost_ = false;  // since the last ConnectionLost, until connected again
};
