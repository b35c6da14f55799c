#pragma once
// Runs a test in a time zone with daylight-saving time, where an x value worked out from
// epoch seconds would differ from the wall-clock one.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <ctime>

class ScopedLocalZone {
  public:
    explicit ScopedLocalZone(const char* zone)
        : hadZone_(qEnvironmentVariableIsSet("TZ")), previous_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedLocalZone() {
        if (hadZone_) {
            qputenv("TZ", previous_);
        } else {
            qunsetenv("TZ");
        }
        tzset();
    }
    ScopedLocalZone(const ScopedLocalZone&) = delete;
    ScopedLocalZone& operator=(const ScopedLocalZone&) = delete;

  private:
    bool hadZone_;
    QByteArray previous_;
};

// Central European time: the clocks went from 02:00 to 03:00 on 2024-03-31 and back from
// 03:00 to 02:00 on 2024-10-27.
inline constexpr char kDstZone[] = "Europe/Warsaw";

// The zone took effect: summer time is two hours ahead of UTC.
inline void ExpectDstZoneActive() {
    const QDateTime summer(QDate(2024, 7, 1), QTime(12, 0));
    ASSERT_EQ(summer.offsetFromUtc(), 2 * 3600) << "time zone " << kDstZone << " not available";
}
