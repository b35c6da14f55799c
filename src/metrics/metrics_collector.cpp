#include "metrics/metrics_collector.h"

void MetricsCollector::Set(const InstrumentMetrics& metrics) {
    const std::lock_guard lock(mutex_);
    metrics_ = metrics;
}

InstrumentMetrics MetricsCollector::Get() const {
    const std::lock_guard lock(mutex_);
    return metrics_;
}

std::vector<prometheus::MetricFamily> MetricsCollector::Collect() const {
    return MetricFamilies(Get());
}
