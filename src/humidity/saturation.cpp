#include "humidity/saturation.h"

#include <array>
#include <cmath>

namespace humidity {

namespace {

constexpr double kZeroCelsiusKelvin = 273.15;

// ln ew = Σ_{i=0..6} g_i·T^(i-2) + g_7·ln T
constexpr std::array<double, 8> kWater = {-2.8365744e3,    -6.028076559e3, 1.954263612e1,
                                          -2.737830188e-2, 1.6261698e-5,   7.0229056e-10,
                                          -1.8680009e-13,  2.7150305};
// ln ei = Σ_{i=0..4} k_i·T^(i-1) + k_5·ln T
constexpr std::array<double, 6> kIce = {-5.8666426e3,  2.232870244e1, 1.39387003e-2,
                                        -3.4262402e-5, 2.7040955e-8,  6.7063522e-1};

// The logarithm of a saturation curve and its slope, both in kelvin.
struct LogCurve {
    double value;
    double slope;
};

LogCurve LogWater(double kelvin) {
    // Powers from T^-2 up to T^4; the slope of g_i·T^(i-2) is (i-2)·g_i·T^(i-3).
    double value = kWater[7] * std::log(kelvin);
    double slope = kWater[7] / kelvin;
    double power = 1.0 / (kelvin * kelvin);  // T^(i-2) for i = 0
    for (int i = 0; i <= 6; ++i) {
        value += kWater[i] * power;
        slope += (i - 2) * kWater[i] * power / kelvin;
        power *= kelvin;
    }
    return {value, slope};
}

LogCurve LogIce(double kelvin) {
    double value = kIce[5] * std::log(kelvin);
    double slope = kIce[5] / kelvin;
    double power = 1.0 / kelvin;  // T^(i-1) for i = 0
    for (int i = 0; i <= 4; ++i) {
        value += kIce[i] * power;
        slope += (i - 1) * kIce[i] * power / kelvin;
        power *= kelvin;
    }
    return {value, slope};
}

// The t in [low, high] (°C) where the increasing log curve reaches `target`; empty when it
// lies outside the curve's values at the ends. Newton's method on the logarithm (nearly
// straight in t, so a few steps do), falling back to halving the bracket whenever a step
// would leave it; the bracket shrinks every round, so the loop always ends.
template <typename Curve>
std::optional<double> Solve(Curve curve, double target, double low, double high) {
    if (!std::isfinite(target)) {
        return std::nullopt;
    }
    const double atLow = curve(low + kZeroCelsiusKelvin).value;
    const double atHigh = curve(high + kZeroCelsiusKelvin).value;
    if (target < atLow || target > atHigh) {
        return std::nullopt;
    }
    if (target == atLow) {
        return low;
    }
    if (target == atHigh) {
        return high;
    }
    constexpr double kTolerance = 1e-10;  // °C
    constexpr int kMostRounds = 200;
    double t = low + (high - low) * (target - atLow) / (atHigh - atLow);
    for (int round = 0; round < kMostRounds; ++round) {
        const LogCurve c = curve(t + kZeroCelsiusKelvin);
        const double miss = c.value - target;
        if (miss == 0.0) {
            return t;
        }
        if (miss > 0.0) {
            high = t;
        } else {
            low = t;
        }
        double next = t - miss / c.slope;
        if (!(next > low && next < high)) {
            next = 0.5 * (low + high);
        }
        if (std::fabs(next - t) < kTolerance || high - low < kTolerance) {
            return next;
        }
        t = next;
    }
    return t;
}

}  // namespace

bool InFormulationRange(double celsius) {
    return std::isfinite(celsius) && celsius >= kLowestCelsius && celsius <= kHighestCelsius;
}

double SaturationOverWaterPa(double celsius) {
    return std::exp(LogWater(celsius + kZeroCelsiusKelvin).value);
}

double SaturationOverIcePa(double celsius) {
    return std::exp(LogIce(celsius + kZeroCelsiusKelvin).value);
}

std::optional<double> DewPointFromVapourPressure(double pa) {
    if (!(pa > 0.0) || !std::isfinite(pa)) {
        return std::nullopt;
    }
    return Solve(LogWater, std::log(pa), kLowestCelsius, kHighestCelsius);
}

std::optional<double> FrostPointFromVapourPressure(double pa) {
    if (!(pa > 0.0) || !std::isfinite(pa)) {
        return std::nullopt;
    }
    return Solve(LogIce, std::log(pa), kLowestCelsius, kTriplePointCelsius);
}

std::optional<double> FrostPointFromDewPoint(double dewPointCelsius) {
    if (!InFormulationRange(dewPointCelsius) || !(dewPointCelsius < 0.0)) {
        return std::nullopt;
    }
    // Solved on the logarithms, so the smallest pressures near -100 °C lose nothing.
    return Solve(LogIce, LogWater(dewPointCelsius + kZeroCelsiusKelvin).value, kLowestCelsius,
                 kTriplePointCelsius);
}

double EnhancementFactor(double pressureHpa) {
    return 1.0016 + 3.15e-6 * pressureHpa - 0.074 / pressureHpa;
}

}  // namespace humidity
