// The statistics of the window and the stability verdict against synthetic series whose
// answers are worked out by hand: a step, a ramp at the drift limit, noise at the band, gaps.
#include "humidity/stability_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

namespace humidity {
namespace {

// Feeds value(t) at every whole second from `from` to `to` and returns the time of the first
// sample after which the window was stable, checking that it then stays stable, with
// stableSince at that time, to the end.
std::optional<double> FeedSeconds(StabilityWindow& w, int from, int to,
                                  const std::function<double(int)>& value) {
    std::optional<double> turnedStable;
    for (int t = from; t <= to; ++t) {
        w.Add(t, value(t));
        const WindowStatistics s = w.Statistics();
        if (turnedStable) {
            EXPECT_TRUE(s.stable) << "unstable again at " << t;
            EXPECT_EQ(s.stableSince, turnedStable) << "at " << t;
        } else if (s.stable) {
            turnedStable = t;
            EXPECT_EQ(s.stableSince, double(t));
        } else {
            EXPECT_FALSE(s.stableSince.has_value()) << "at " << t;
        }
    }
    return turnedStable;
}

TEST(StabilityWindow, StatisticsOfTheSamplesHeld) {
    StabilityWindow w({.windowSeconds = 4.0});
    EXPECT_EQ(w.Statistics().count, 0u);
    EXPECT_FALSE(w.Statistics().mean.has_value());

    w.Add(0, 1.0);
    WindowStatistics s = w.Statistics();
    EXPECT_EQ(s.count, 1u);
    EXPECT_EQ(s.mean, 1.0);
    EXPECT_EQ(s.minimum, 1.0);
    EXPECT_EQ(s.maximum, 1.0);
    EXPECT_FALSE(s.standardDeviation.has_value());
    EXPECT_FALSE(s.driftPerHour.has_value());
    EXPECT_EQ(s.spanSeconds, 0.0);

    for (const auto& [t, v] : {std::pair{1, 2.0}, {2, 3.0}, {3, 4.0}, {4, 10.0}}) {
        w.Add(t, v);
    }
    // 1, 2, 3, 4, 10 at 0..4 s: mean 4, squares about it 9+4+1+0+36 = 50, s = √(50/4);
    // Σ(t-2)(v-4) = 20 over Σ(t-2)² = 10: 2 per second, 7200 per hour.
    s = w.Statistics();
    EXPECT_EQ(s.count, 5u);
    EXPECT_EQ(s.spanSeconds, 4.0);
    EXPECT_NEAR(*s.mean, 4.0, 1e-12);
    EXPECT_NEAR(*s.standardDeviation, 3.5355339059327378, 1e-12);
    EXPECT_NEAR(*s.driftPerHour, 7200.0, 1e-9);
    EXPECT_EQ(s.minimum, 1.0);
    EXPECT_EQ(s.maximum, 10.0);

    // The window of 4 s holds 1..5 s after the sample at 5 s, 2..6 s after the one at 6 s.
    w.Add(5, 4.0);
    w.Add(6, 4.0);
    // 3, 4, 10, 4, 4 at 2..6 s: mean 5, squares 4+1+25+1+1 = 32, s = √8;
    // Σ(t-4)(v-5) = 4+1+0-1-2 = 2 over 10: 0.2 per second, 720 per hour.
    s = w.Statistics();
    EXPECT_EQ(s.count, 5u);
    EXPECT_EQ(s.spanSeconds, 4.0);
    EXPECT_NEAR(*s.mean, 5.0, 1e-12);
    EXPECT_NEAR(*s.standardDeviation, std::sqrt(8.0), 1e-12);
    EXPECT_NEAR(*s.driftPerHour, 720.0, 1e-9);
    EXPECT_EQ(s.minimum, 3.0);
    EXPECT_EQ(s.maximum, 10.0);

    // The 10 leaves at 9 s: 4, 4, 2, 2 at 5, 6, 8, 9 s (nothing at 7 s).
    w.Add(8, 2.0);
    w.Add(9, 2.0);
    s = w.Statistics();
    EXPECT_EQ(s.count, 4u);
    EXPECT_EQ(s.spanSeconds, 4.0);
    EXPECT_NEAR(*s.mean, 3.0, 1e-12);
    EXPECT_EQ(s.minimum, 2.0);
    EXPECT_EQ(s.maximum, 4.0);
    // squares 1+1+1+1 = 4, s = √(4/3); Σ(t-7)(v-3) = -2-1-1-2 = -6 over 4+1+1+4 = 10.
    EXPECT_NEAR(*s.standardDeviation, std::sqrt(4.0 / 3.0), 1e-12);
    EXPECT_NEAR(*s.driftPerHour, -0.6 * 3600.0, 1e-9);
}

TEST(StabilityWindow, ASteadyValueIsStableWhenTheWindowIsFull) {
    StabilityWindow w;  // 600 s, 0.10, 0.20 per hour, gaps up to 10 s
    EXPECT_EQ(FeedSeconds(w, 0, 700, [](int) { return 12.34; }), 600.0);
    const WindowStatistics s = w.Statistics();
    EXPECT_EQ(s.count, 601u);
    EXPECT_EQ(s.spanSeconds, 600.0);
    EXPECT_NEAR(*s.mean, 12.34, 1e-12);
    EXPECT_NEAR(*s.standardDeviation, 0.0, 1e-12);
    EXPECT_NEAR(*s.driftPerHour, 0.0, 1e-9);
    EXPECT_TRUE(s.full);
}

// 10.00 until 299 s, 10.50 from 300 s: the last 10.00 leaves the window at 900 s.
TEST(StabilityWindow, AStepIsStableOnceItHasLeftTheWindow) {
    StabilityWindow w;
    EXPECT_EQ(FeedSeconds(w, 0, 1200, [](int t) { return t < 300 ? 10.0 : 10.5; }), 900.0);
}

// A ramp of exactly 0.20 per hour (0.033 peak-to-peak over 600 s) is within the limit, either
// way; 0.21 per hour never is.
TEST(StabilityWindow, ARampAtTheDriftLimit) {
    for (const double rate : {0.20, -0.20}) {
        SCOPED_TRACE(rate);
        StabilityWindow w;
        EXPECT_EQ(FeedSeconds(w, 0, 1500, [&](int t) { return -5.0 + rate * t / 3600.0; }), 600.0);
        EXPECT_NEAR(*w.Statistics().driftPerHour, rate, 1e-9);
    }
    StabilityWindow w;
    EXPECT_EQ(FeedSeconds(w, 0, 1500, [](int t) { return -5.0 + 0.21 * t / 3600.0; }),
              std::nullopt);
    EXPECT_NEAR(*w.Statistics().driftPerHour, 0.21, 1e-9);
}

// Readings alternating 10.00 / 10.10: peak-to-peak exactly the band, no drift. 10.00 / 10.11
// never is; one reading of 10.11 at 700 s makes it unstable until it leaves at 1301 s.
TEST(StabilityWindow, NoiseAtTheBand) {
    StabilityWindow atBand;
    EXPECT_EQ(FeedSeconds(atBand, 0, 1200, [](int t) { return t % 2 ? 10.10 : 10.00; }), 600.0);

    StabilityWindow aboveBand;
    EXPECT_EQ(FeedSeconds(aboveBand, 0, 1200, [](int t) { return t % 2 ? 10.11 : 10.00; }),
              std::nullopt);

    StabilityWindow spike;
    EXPECT_EQ(FeedSeconds(spike, 0, 699, [](int t) { return t % 2 ? 10.10 : 10.00; }), 600.0);
    spike.Add(700, 10.11);
    EXPECT_FALSE(spike.Statistics().stable);
    EXPECT_FALSE(spike.Statistics().stableSince.has_value());
    EXPECT_EQ(FeedSeconds(spike, 701, 1500, [](int t) { return t % 2 ? 10.10 : 10.00; }), 1301.0);
}

// Samples each second from 0 to 100 s, then from 111 s on: the gap of 11 s restarts the run,
// so the window is full (and stable) at 711 s. A gap of exactly 10 s breaks nothing.
TEST(StabilityWindow, AGapLongerThanTenSecondsEmptiesTheRun) {
    const auto steady = [](int) { return -20.0; };
    StabilityWindow longGap;
    EXPECT_EQ(FeedSeconds(longGap, 0, 100, steady), std::nullopt);
    EXPECT_EQ(FeedSeconds(longGap, 111, 1000, steady), 711.0);

    StabilityWindow tenSeconds;
    EXPECT_EQ(FeedSeconds(tenSeconds, 0, 100, steady), std::nullopt);
    EXPECT_EQ(FeedSeconds(tenSeconds, 110, 1000, steady), 600.0);

    // Stable since 600 s; a gap from 700 to 720 s ends it; full again at 1320 s.
    StabilityWindow stable;
    EXPECT_EQ(FeedSeconds(stable, 0, 700, steady), 600.0);
    stable.Add(720, -20.0);
    EXPECT_FALSE(stable.Statistics().full);
    EXPECT_FALSE(stable.Statistics().stable);
    EXPECT_EQ(FeedSeconds(stable, 721, 1400, steady), 1320.0);
}

// Samples every 1.5 s never fall exactly on the window's start: the window is full once the
// first sample is 600 s old (at 600 s), not when the span reaches 600 s.
TEST(StabilityWindow, FullDoesNotNeedASampleOnTheWindowsStart) {
    StabilityWindow w;
    for (int i = 0; i <= 399; ++i) {
        w.Add(1.5 * i, 3.0);
    }
    EXPECT_FALSE(w.Statistics().full);  // the last sample at 598.5 s
    w.Add(600.0, 3.0);
    EXPECT_TRUE(w.Statistics().full);
    EXPECT_TRUE(w.Statistics().stable);
    w.Add(601.5, 3.0);  // 0 s leaves: the window holds 1.5 .. 601.5 s
    EXPECT_EQ(w.Statistics().spanSeconds, 600.0);
    w.Add(603.0, 3.0);  // holds 3 .. 603 s
    EXPECT_TRUE(w.Statistics().full);
    EXPECT_EQ(w.Statistics().count, 401u);
}

TEST(StabilityWindow, TimeGoingBackStartsAfresh) {
    StabilityWindow w;
    EXPECT_EQ(FeedSeconds(w, 0, 650, [](int) { return 1.0; }), 600.0);
    w.Add(100, 1.0);
    const WindowStatistics s = w.Statistics();
    EXPECT_EQ(s.count, 1u);
    EXPECT_FALSE(s.full);
    EXPECT_FALSE(s.stableSince.has_value());
    EXPECT_EQ(FeedSeconds(w, 101, 800, [](int) { return 1.0; }), 700.0);
}

TEST(StabilityWindow, SamplesThatAreNotNumbersAreIgnored) {
    StabilityWindow w;
    w.Add(0, 1.0);
    w.Add(1, NAN);
    w.Add(INFINITY, 1.0);
    w.Add(NAN, 1.0);
    EXPECT_EQ(w.Statistics().count, 1u);
    // A missing reading widens the gap: 0 s, then 11 s.
    w.Add(11, 1.0);
    EXPECT_EQ(FeedSeconds(w, 12, 700, [](int) { return 1.0; }), 611.0);
}

TEST(StabilityWindow, NewCriteria) {
    StabilityWindow w;
    EXPECT_EQ(FeedSeconds(w, 0, 650, [](int t) { return t % 2 ? 10.20 : 10.00; }), std::nullopt);
    // A wider band takes effect at once: stable since the newest sample.
    StabilityCriteria wider = w.Criteria();
    wider.bandDegrees = 0.20;
    EXPECT_TRUE(w.SetCriteria(wider));
    EXPECT_TRUE(w.Statistics().stable);
    EXPECT_EQ(w.Statistics().stableSince, 650.0);
    EXPECT_EQ(w.Statistics().count, 601u);

    // Invalid criteria change nothing.
    for (StabilityCriteria bad :
         {StabilityCriteria{.windowSeconds = 0.0}, StabilityCriteria{.bandDegrees = -0.1},
          StabilityCriteria{.driftDegreesPerHour = NAN}, StabilityCriteria{.maxGapSeconds = 0.0}}) {
        EXPECT_FALSE(IsValid(bad));
        EXPECT_FALSE(w.SetCriteria(bad));
        EXPECT_EQ(w.Criteria(), wider);
    }

    // Another window length starts afresh.
    StabilityCriteria shorter = wider;
    shorter.windowSeconds = 60.0;
    EXPECT_TRUE(w.SetCriteria(shorter));
    EXPECT_EQ(w.Statistics().count, 0u);
    EXPECT_FALSE(w.Statistics().stable);
    EXPECT_EQ(FeedSeconds(w, 651, 800, [](int t) { return t % 2 ? 10.20 : 10.00; }), 711.0);

    EXPECT_EQ(StabilityWindow(StabilityCriteria{.windowSeconds = -1.0}).Criteria(),
              StabilityCriteria{});
}

// Days of samples on an epoch-sized clock: the running sums stay about the window, so the
// slope and the mean keep their precision.
TEST(StabilityWindow, KeepsItsPrecisionOverDays) {
    StabilityWindow w({.windowSeconds = 86400.0});
    const double start = 1.7e9;
    const auto ramp = [&](double t) { return 15.0 + 0.2 * (t - start) / 3600.0; };
    const int seconds = 3 * 86400;
    for (int i = 0; i <= seconds; ++i) {
        w.Add(start + i, ramp(start + i));
    }
    const WindowStatistics s = w.Statistics();
    EXPECT_EQ(s.count, 86401u);
    EXPECT_TRUE(s.full);
    EXPECT_NEAR(*s.driftPerHour, 0.2, 1e-9);
    // The mean of a ramp is its value at the window's middle: 15 + 0.2·(3·24 - 12).
    EXPECT_NEAR(*s.mean, 27.0, 1e-9);
    EXPECT_EQ(s.minimum, ramp(start + seconds - 86400));
    EXPECT_EQ(s.maximum, ramp(start + seconds));
    // The sd of N equally spaced samples of a ramp rising h per sample: h·√(N(N+1)/12),
    // with N = 86401 and h = 0.2/3600.
    EXPECT_NEAR(*s.standardDeviation, 1.3856647023, 1e-8);
}

// A month of samples through a window of 600 s: the samples leave the sums as often as they
// enter them, and the rounding of all that must not reach the slope.
TEST(StabilityWindow, KeepsItsPrecisionOverAMonthOfSlidingWindows) {
    StabilityWindow w;
    const double start = 1.7e9;
    const auto ramp = [&](double t) { return -40.0 + 0.2 * (t - start) / 3600.0; };
    const int seconds = 31 * 86400;
    for (int i = 0; i <= seconds; ++i) {
        w.Add(start + i, ramp(start + i));
    }
    const WindowStatistics s = w.Statistics();
    EXPECT_EQ(s.count, 601u);
    EXPECT_TRUE(s.stable);
    EXPECT_NEAR(*s.driftPerHour, 0.2, 1e-9);
    // 0.2 an hour for 31 days less 300 s: -40 + 148.8 - 0.2/12.
    EXPECT_NEAR(*s.mean, 108.78333333333333, 1e-9);
    // h·√(N(N+1)/12) with N = 601, h = 0.2/3600: the sd of the ramp's samples.
    EXPECT_NEAR(*s.standardDeviation, 0.0096465574, 1e-9);
}

}  // namespace
}  // namespace humidity
