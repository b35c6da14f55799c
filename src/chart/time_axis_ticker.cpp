#include "chart/time_axis_ticker.h"

#include <cmath>

#include "chart/ole_date.h"

namespace {

constexpr double kMinutesPerDay = 1440.0;
// A span that is a round time over the tick count gives that round time, rounding aside.
constexpr double kRoundingSlack = 1.0 - 1e-9;

struct TimeStep {
    double minutes;
    int subTicks;  // between two ticks, at a round part of the step
};

constexpr TimeStep kTimeSteps[] = {
    {1, 3},  {2, 1},   {5, 4},   {10, 1},  {15, 2},  {30, 2},
    {60, 3}, {120, 1}, {180, 2}, {360, 5}, {720, 5}, {1440, 3},
};

}  // namespace

double TimeTickStep(double spanDays, int tickCount) {
    const double wanted = spanDays / std::max(tickCount, 1);
    if (!std::isfinite(wanted)) {
        return 1.0;
    }
    for (const TimeStep& step : kTimeSteps) {
        if (step.minutes / kMinutesPerDay >= wanted * kRoundingSlack) {
            return step.minutes / kMinutesPerDay;
        }
    }
    const double magnitude = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double mantissa : {1.0, 2.0, 5.0, 10.0}) {
        if (mantissa * magnitude >= wanted * kRoundingSlack) {
            return mantissa * magnitude;
        }
    }
    return 10.0 * magnitude;
}

QString TimeTickLabel(double oleDate) {
    const WallClock clock = OleDateToWallClock(oleDate);
    return clock.time.isValid() ? clock.time.toString(QStringLiteral("hh:mm")) : QString();
}

double TimeAxisTicker::getTickStep(const QCPRange& range) {
    return TimeTickStep(range.size(), mTickCount);
}

int TimeAxisTicker::getSubTickCount(double tickStep) {
    for (const TimeStep& step : kTimeSteps) {
        if (std::fabs(step.minutes / kMinutesPerDay - tickStep) < 1e-9) {
            return step.subTicks;
        }
    }
    return 0;
}

QString TimeAxisTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    return TimeTickLabel(tick);
}
