#include "chart/time_axis_ticker.h"

#include <cmath>

#include "chart/ole_date.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;
// A span that is a round time over the tick count gives that round time, rounding aside.
constexpr double kRoundingSlack = 1.0 - 1e-9;
// Fewer ticks than these would not say where on the axis a time is.
constexpr double kFewestTicks = 3.0;

struct TimeStep {
    double seconds;
    int subTicks;  // between two ticks, at a round part of the step
};

constexpr TimeStep kTimeSteps[] = {
    {1, 0},    {2, 1},    {5, 4},     {10, 1},    {15, 2},    {30, 2},
    {60, 3},   {120, 1},  {300, 4},   {600, 1},   {900, 2},   {1800, 2},
    {3600, 3}, {7200, 1}, {10800, 2}, {21600, 5}, {43200, 5}, {86400, 3},
};

double Days(const TimeStep& step) {
    return step.seconds / kSecondsPerDay;
}

// Beyond a day: 1, 2 or 5 times a power of ten days, the smallest not below `wanted`.
double DecimalDays(double wanted) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double mantissa : {1.0, 2.0, 5.0, 10.0}) {
        if (mantissa * magnitude >= wanted * kRoundingSlack) {
            return mantissa * magnitude;
        }
    }
    return 10.0 * magnitude;
}

}  // namespace

double TimeTickStep(double spanDays, int tickCount) {
    const double wanted = spanDays / std::max(tickCount, 1);
    if (!std::isfinite(wanted)) {
        return 1.0;
    }
    const int last = static_cast<int>(std::size(kTimeSteps)) - 1;
    int chosen = 0;
    while (chosen <= last && Days(kTimeSteps[chosen]) < wanted * kRoundingSlack) {
        ++chosen;
    }
    if (chosen > last) {
        return DecimalDays(wanted);
    }
    while (chosen > 0 && spanDays / Days(kTimeSteps[chosen]) < kFewestTicks) {
        --chosen;
    }
    return Days(kTimeSteps[chosen]);
}

TimeLabelForm TimeLabelFormFor(double lowerDays, double upperDays, double stepDays) {
    if (stepDays >= 1.0 - 1e-9) {
        return TimeLabelForm::Date;
    }
    if (std::floor(lowerDays) != std::floor(upperDays)) {
        return TimeLabelForm::DateAndMinutes;
    }
    return stepDays < 60.0 / kSecondsPerDay - 1e-12 ? TimeLabelForm::Seconds
                                                    : TimeLabelForm::Minutes;
}

QString TimeTickLabel(double oleDate, TimeLabelForm form) {
    const WallClock clock = OleDateToWallClock(oleDate);
    if (!clock.time.isValid()) {
        return {};
    }
    switch (form) {
        case TimeLabelForm::Seconds:
            return clock.time.toString(QStringLiteral("hh:mm:ss"));
        case TimeLabelForm::DateAndMinutes:
            return clock.date.toString(QStringLiteral("dd.MM ")) +
                   clock.time.toString(QStringLiteral("hh:mm"));
        case TimeLabelForm::Date:
            return clock.date.toString(QStringLiteral("dd.MM.yyyy"));
        case TimeLabelForm::Minutes:
            break;
    }
    return clock.time.toString(QStringLiteral("hh:mm"));
}

double TimeAxisTicker::getTickStep(const QCPRange& range) {
    const double step = TimeTickStep(range.size(), mTickCount);
    form_ = TimeLabelFormFor(range.lower, range.upper, step);
    return step;
}

int TimeAxisTicker::getSubTickCount(double tickStep) {
    for (const TimeStep& step : kTimeSteps) {
        if (std::fabs(Days(step) - tickStep) < 1e-12) {
            return step.subTicks;
        }
    }
    return 0;
}

QString TimeAxisTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    return TimeTickLabel(tick, form_);
}
