#pragma once
// The bottom axis of the chart: ticks at whole minutes, hours or days of the OLE dates it
// carries, labelled with their local wall-clock time "hh:mm".

#include <qcustomplot.h>

#include <QString>

// The distance between ticks, in days, for an axis spanning `spanDays` that should show
// about `tickCount` ticks: the smallest of 1, 2, 5, 10, 15, 30 minutes, 1, 2, 3, 6, 12 hours
// and 1 day that keeps to that count, beyond a day 1, 2 or 5 times a power of ten days.
// Never below a minute: the labels show no seconds.
double TimeTickStep(double spanDays, int tickCount);

// "hh:mm" of the wall-clock time an OLE date stands for; empty when it stands for none.
QString TimeTickLabel(double oleDate);

class TimeAxisTicker : public QCPAxisTicker {
  protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;
};
