#include "chart/ole_date.h"

#include <cmath>

namespace {

constexpr double kMsPerDay = 86'400'000.0;
constexpr int kHalfDayMs = 43'200'000;
// Far beyond any clock or file (some thousand years), and well inside QDate's range.
constexpr double kMaxDays = 3.0e6;

}  // namespace

QDate OleDateOrigin() {
    return QDate(1899, 12, 30);
}

double OleDate(QDate date, QTime time) {
    const double days = static_cast<double>(OleDateOrigin().daysTo(date));
    return days + (time.isValid() ? time.msecsSinceStartOfDay() : 0) / kMsPerDay;
}

double OleDate(const QDateTime& dateTime) {
    return OleDate(dateTime.date(), dateTime.time());
}

WallClock OleDateToWallClock(double oleDate) {
    if (!std::isfinite(oleDate) || std::fabs(oleDate) > kMaxDays) {
        return {};
    }
    double day = std::floor(oleDate);
    double ms = std::round((oleDate - day) * kMsPerDay);
    if (ms >= kMsPerDay) {
        day += 1.0;
        ms = 0.0;
    }
    return {OleDateOrigin().addDays(static_cast<qint64>(day)),
            QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms))};
}

QDate SampleDate(QTime sampleTime, const QDateTime& now) {
    const QDate today = now.date();
    if (!sampleTime.isValid()) {
        return today;
    }
    const int ahead = sampleTime.msecsSinceStartOfDay() - now.time().msecsSinceStartOfDay();
    return ahead > kHalfDayMs ? today.addDays(-1) : today;
}
