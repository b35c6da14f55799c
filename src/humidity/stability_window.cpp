#include "humidity/stability_window.h"

#include <algorithm>
#include <cmath>

namespace humidity {

namespace {

// Readings in hundredths exactly at a limit must not fail it by a rounding of the sums.
constexpr double kLimitSlack = 1e-9;
constexpr double kSecondsPerHour = 3600.0;

}  // namespace

bool IsValid(const StabilityCriteria& c) {
    return std::isfinite(c.windowSeconds) && c.windowSeconds > 0.0 &&
           std::isfinite(c.bandDegrees) && c.bandDegrees >= 0.0 &&
           std::isfinite(c.driftDegreesPerHour) && c.driftDegreesPerHour >= 0.0 &&
           std::isfinite(c.maxGapSeconds) && c.maxGapSeconds > 0.0;
}

StabilityWindow::StabilityWindow(const StabilityCriteria& criteria)
    : criteria_(IsValid(criteria) ? criteria : StabilityCriteria{}) {}

bool StabilityWindow::SetCriteria(const StabilityCriteria& criteria) {
    if (!IsValid(criteria)) {
        return false;
    }
    const bool restart = criteria.windowSeconds != criteria_.windowSeconds ||
                         criteria.maxGapSeconds != criteria_.maxGapSeconds;
    criteria_ = criteria;
    if (restart) {
        Clear();
    } else if (!samples_.empty()) {
        TakeVerdict();
    }
    return true;
}

void StabilityWindow::Clear() {
    samples_.clear();
    minima_.clear();
    maxima_.clear();
    originTime_ = originValue_ = 0.0;
    sumT_ = sumTT_ = sumV_ = sumVV_ = sumTV_ = 0.0;
    runStart_.reset();
    stableSince_.reset();
}

void StabilityWindow::Restart(double timeSeconds) {
    Clear();
    runStart_ = timeSeconds;
}

void StabilityWindow::Add(double timeSeconds, double value) {
    if (!std::isfinite(value) || !std::isfinite(timeSeconds)) {
        return;
    }
    if (samples_.empty() || timeSeconds < samples_.back().time) {
        Restart(timeSeconds);
        originTime_ = timeSeconds;
        originValue_ = value;
    } else if (timeSeconds - samples_.back().time > criteria_.maxGapSeconds) {
        runStart_ = timeSeconds;
    }

    const Sample sample{timeSeconds, value};
    samples_.push_back(sample);
    Include(sample);
    while (!minima_.empty() && minima_.back().value >= value) {
        minima_.pop_back();
    }
    minima_.push_back(sample);
    while (!maxima_.empty() && maxima_.back().value <= value) {
        maxima_.pop_back();
    }
    maxima_.push_back(sample);

    const double oldest = timeSeconds - criteria_.windowSeconds;
    while (samples_.front().time < oldest) {
        Drop(samples_.front());
        samples_.pop_front();
    }
    while (minima_.front().time < oldest) {
        minima_.pop_front();
    }
    while (maxima_.front().time < oldest) {
        maxima_.pop_front();
    }

    MoveOrigin(samples_.front());
    TakeVerdict();
}

void StabilityWindow::Include(const Sample& sample) {
    const double t = sample.time - originTime_;
    const double v = sample.value - originValue_;
    sumT_ += t;
    sumTT_ += t * t;
    sumV_ += v;
    sumVV_ += v * v;
    sumTV_ += t * v;
}

void StabilityWindow::Drop(const Sample& sample) {
    const double t = sample.time - originTime_;
    const double v = sample.value - originValue_;
    sumT_ -= t;
    sumTT_ -= t * t;
    sumV_ -= v;
    sumVV_ -= v * v;
    sumTV_ -= t * v;
}

void StabilityWindow::MoveOrigin(const Sample& origin) {
    // Σ(t-a)² = Σ(t-o)² - 2(a-o)·Σ(t-o) + n(a-o)², and alike for the other sums: exact in
    // algebra, and it keeps the sums of the size of the window, so that rounding stays
    // relative to what the window holds rather than to how long the run has been.
    const double n = static_cast<double>(samples_.size());
    const double dt = origin.time - originTime_;
    const double dv = origin.value - originValue_;
    sumTV_ += -dv * sumT_ - dt * sumV_ + n * dt * dv;
    sumTT_ += -2.0 * dt * sumT_ + n * dt * dt;
    sumVV_ += -2.0 * dv * sumV_ + n * dv * dv;
    sumT_ -= n * dt;
    sumV_ -= n * dv;
    originTime_ = origin.time;
    originValue_ = origin.value;
}

bool StabilityWindow::Full() const {
    return !samples_.empty() && runStart_ &&
           *runStart_ <= samples_.back().time - criteria_.windowSeconds;
}

void StabilityWindow::TakeVerdict() {
    const WindowStatistics s = Statistics();
    if (!s.stable) {
        stableSince_.reset();
    } else if (!stableSince_) {
        stableSince_ = samples_.back().time;
    }
}

WindowStatistics StabilityWindow::Statistics() const {
    WindowStatistics s;
    s.count = samples_.size();
    if (samples_.empty()) {
        return s;
    }
    const double n = static_cast<double>(s.count);
    s.spanSeconds = samples_.back().time - samples_.front().time;
    s.mean = originValue_ + sumV_ / n;
    s.minimum = minima_.front().value;
    s.maximum = maxima_.front().value;
    if (s.count >= 2) {
        const double squares = std::max(0.0, sumVV_ - sumV_ * sumV_ / n);
        s.standardDeviation = std::sqrt(squares / (n - 1.0));
    }
    if (s.spanSeconds > 0.0) {
        const double timeSquares = sumTT_ - sumT_ * sumT_ / n;
        if (timeSquares > 0.0) {
            s.driftPerHour = (sumTV_ - sumT_ * sumV_ / n) / timeSquares * kSecondsPerHour;
        }
    }
    s.full = Full();
    s.stable = s.full && *s.maximum - *s.minimum <= criteria_.bandDegrees + kLimitSlack &&
               s.driftPerHour &&
               std::fabs(*s.driftPerHour) <= criteria_.driftDegreesPerHour + kLimitSlack;
    s.stableSince = stableSince_;
    return s;
}

}  // namespace humidity
