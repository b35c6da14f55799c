#pragma once
// Statistics of the dew point over a sliding time window, and whether it is stable: what a
// calibration takes its point from. Each sample costs O(1) whatever the window
// holds: running sums for the mean, deviation and slope, monotonic queues for the extremes.
// Standard library only; not thread-safe.
//
// Times are seconds on any steady scale (e.g. since the run began); values are degrees in
// the instrument's scale, and so are the band and the drift limit.
//
// The window. After a sample at time t the window holds the samples from t - windowSeconds
// to t, both ends included; older ones leave it. The statistics are over the samples held,
// whether or not the window is full yet.
//
// Full. The window is full when the samples have come without a gap since at least
// t - windowSeconds: some sample at or before t - windowSeconds begins a run in which no two
// consecutive samples are more than maxGapSeconds apart (a gap of exactly maxGapSeconds does
// not break the run). The gap between the last sample that left the window and the first one
// held counts too, so the window's start is covered. After a gap the window is not full
// again until the first sample after the gap is windowSeconds old. The samples taken at 1 s
// from time 0 fill a window of 600 s at the sample at 600 s.
//
// Stable. Full, peak-to-peak (maximum - minimum) within bandDegrees, and the absolute drift
// (the least-squares slope of value on time, per hour) within driftDegreesPerHour. "Within"
// includes equality and allows 1e-9 of a degree (per hour) for rounding, so that readings in
// hundredths exactly at a limit count as within it. The verdict is taken at each sample;
// stableSince is the time of the sample at which it last turned stable.
//
// A sample with a time before the newest one's starts the window afresh from itself (the
// clock went back: nothing held can be placed against it); one whose time or value is not
// finite is ignored (its absence widens the gap).

#include <cstddef>
#include <deque>
#include <optional>

namespace humidity {

struct StabilityCriteria {
    double windowSeconds = 600.0;
    double bandDegrees = 0.10;
    double driftDegreesPerHour = 0.20;
    double maxGapSeconds = 10.0;

    bool operator==(const StabilityCriteria&) const = default;
};

// Finite, a window and a gap above zero, a band and a drift limit not below zero.
bool IsValid(const StabilityCriteria& criteria);

struct WindowStatistics {
    std::size_t count = 0;     // samples in the window
    double spanSeconds = 0.0;  // newest minus oldest sample's time; 0 when fewer than 2
    // Empty when the window holds no sample.
    std::optional<double> mean;
    std::optional<double> minimum;
    std::optional<double> maximum;
    // The experimental standard deviation (n - 1 in the denominator): from 2 samples on.
    std::optional<double> standardDeviation;
    // Degrees per hour: from 2 samples at different times on.
    std::optional<double> driftPerHour;
    bool full = false;
    bool stable = false;
    // The time of the sample at which the window last turned stable; empty when not stable.
    std::optional<double> stableSince;
};

class StabilityWindow {
  public:
    // Invalid criteria are replaced by the defaults.
    explicit StabilityWindow(const StabilityCriteria& criteria = {});

    const StabilityCriteria& Criteria() const { return criteria_; }
    // New criteria: false (and nothing changes) when they are not valid. A new window length
    // or gap starts the window afresh (the samples and gaps it would need may be gone); a new
    // band or drift limit takes effect at once: the verdict is taken again on the samples
    // held, and a window that turns stable by it is stable since its newest sample.
    bool SetCriteria(const StabilityCriteria& criteria);

    void Add(double timeSeconds, double value);
    // Forgets every sample: as after construction.
    void Clear();

    WindowStatistics Statistics() const;

  private:
    struct Sample {
        double time;
        double value;
    };

    void Restart(double timeSeconds);
    void Drop(const Sample& sample);
    void Include(const Sample& sample);
    // The sums about a new origin, in O(1): kept at the oldest sample held, so the offsets
    // are no larger than the window whatever the clock reads.
    void MoveOrigin(const Sample& origin);
    bool Full() const;
    void TakeVerdict();

    StabilityCriteria criteria_;
    std::deque<Sample> samples_;
    // Indexes into samples_ would shift as they leave; the queues hold copies instead.
    std::deque<Sample> minima_;  // values increasing from the front
    std::deque<Sample> maxima_;  // values decreasing from the front
    // Sums about (originTime_, originValue_): of dt, dt², dv, dv², dt·dv.
    double originTime_ = 0.0;
    double originValue_ = 0.0;
    double sumT_ = 0.0;
    double sumTT_ = 0.0;
    double sumV_ = 0.0;
    double sumVV_ = 0.0;
    double sumTV_ = 0.0;
    std::optional<double> runStart_;  // the first sample after the last gap
    std::optional<double> stableSince_;
};

}  // namespace humidity
