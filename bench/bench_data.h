#pragma once
// Data the chart benchmarks feed: plausible samples, whole-second times like the live
// ones, a large chart file, and the process's memory.

#include <QString>
#include <cstdint>

#include "measure/measurement_record.h"

// A plausible day: slow swings over the day with a little noise in the last digit.
MeasurementSample SampleAt(long second);

// The start of the current second as milliseconds of the OLE date scale (see
// compact_point.h): the times a live run adds lie whole seconds from it.
std::int64_t SecondNowMilliseconds();

// Writes `lines` lines laid out like the measurement log, one a second, running over
// midnight (a chart file's header lines are the first two of them).
bool WriteMeasurementLog(const QString& path, long lines);

// A field of /proc/self/status ("VmRSS:", "VmHWM:"), in MB.
double StatusMegabytes(const char* field);
