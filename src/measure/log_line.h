#pragma once
// One line of the measurement log "jrt1.txt".

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QTime>

#include "measure/measurement_record.h"
#include "measure/readout_format.h"

// A QLocale time format with its time-zone tokens taken out, together with the brackets,
// commas and blanks that set them apart: "h:mm:ss AP, t" -> "h:mm:ss AP",
// "HH:mm:ss (t)" -> "HH:mm:ss", "t HH:mm:ss" -> "HH:mm:ss". Quoted text is kept as it is.
QString TimeFormatWithoutZone(const QString& format);

// The time of day in the locale's long time format without the zone: "14:05:09" in C and
// pl_PL, "2:05:09 PM" in en_US.
QString LongTimeText(const QTime& time, const QLocale& locale);

// Sample number, time, the raw dew point, humidity and ambient temperature, then the texts
// of the dew point, relative humidity, ambient and mirror temperature, mirror dew level and
// frost level, separated by TABs and ended by CR LF.
// Encoded in the system's 8-bit code page (UTF-8 here), so a locale's non-ASCII AM/PM
// marker survives; everything else in the line is ASCII.
QByteArray MeasurementLogLine(int sampleCount, const QString& timeText,
                              const MeasurementSample& sample, const MeasurementReadouts& readouts);
