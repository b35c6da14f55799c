#include "humidity/stability_window.h"

#include <algorithm>
#include <cmath>

namespace humidity {

namespace {

// Readings in hundredths exactly at a limit must not fail it by a rounding of the sums.
constexpr double kLimitSlack = 1e-9;
constexpr double kSecondsPerHour = 3600.0;
// Below this many samples a rebase is cheap whatever its cause.
constexpr std::size_t kSmallestRebasePeriod = 64;

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
    addedSinceRebase_ = 0;
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

    if (++addedSinceRebase_ >= std::max(samples_.size(), kSmallestRebasePeriod)) {
        Rebase();
    }
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

void StabilityWindow::Rebase() {
    addedSinceRebase_ = 0;
    sumT_ = sumTT_ = sumV_ = sumVV_ = sumTV_ = 0.0;
    if (samples_.empty()) {
        return;
    }
    // About the middle of the window, so the time offsets are as small as they get.
    const Sample& middle = samples_[samples_.size() / 2];
    originTime_ = middle.time;
    originValue_ = middle.value;
    for (const Sample& s : samples_) {
        Include(s);
    }
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
