#pragma once
// The bottom axis of the chart: ticks at whole seconds, minutes, hours or days of the OLE
// dates it carries, labelled with their local wall-clock time: "hh:mm", with seconds when
// the ticks are less than a minute apart, with the date when the axis crosses midnight.

#include <qcustomplot.h>

#include <QString>

// The distance between ticks, in days, for an axis spanning `spanDays` that should show
// about `tickCount` ticks: the smallest of 1, 2, 5, 10, 15, 30 seconds, 1, 2, 5, 10, 15,
// 30 minutes, 1, 2, 3, 6, 12 hours and 1 day that keeps to that count, beyond a day 1, 2 or
// 5 times a power of ten days; then smaller where that would leave fewer than three ticks.
double TimeTickStep(double spanDays, int tickCount);

enum class TimeLabelForm {
    Minutes,         // "hh:mm"
    Seconds,         // "hh:mm:ss"
    DateAndMinutes,  // "dd.MM hh:mm"
    Date,            // "dd.MM.yyyy"
};

// How the ticks of an axis from `lowerDays` to `upperDays`, `stepDays` apart, are labelled.
TimeLabelForm TimeLabelFormFor(double lowerDays, double upperDays, double stepDays);

// The wall-clock time (and date) an OLE date stands for; empty when it stands for none.
QString TimeTickLabel(double oleDate, TimeLabelForm form = TimeLabelForm::Minutes);

class TimeAxisTicker : public QCPAxisTicker {
  protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;

  private:
    // Chosen with the step, for the labels of the same axis.
    TimeLabelForm form_ = TimeLabelForm::Minutes;
};
