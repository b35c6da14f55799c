#pragma once
// The metrics as the server's threads read them: the latest InstrumentMetrics, replaced
// whole by the session's thread and copied under a lock by every scrape, so a scrape never
// sees half a change.

#include <prometheus/collectable.h>

#include <mutex>
#include <vector>

#include "metrics/instrument_metrics.h"

class MetricsCollector : public prometheus::Collectable {
  public:
    void Set(const InstrumentMetrics& metrics);
    InstrumentMetrics Get() const;

    // Any thread.
    std::vector<prometheus::MetricFamily> Collect() const override;

  private:
    mutable std::mutex mutex_;
    InstrumentMetrics metrics_;
};
