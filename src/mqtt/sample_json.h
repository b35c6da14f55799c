#pragma once
// A sample as one JSON object for the MQTT subscribers: the dated record's columns under
// their names, in their order, with the very numbers the record has ("time" an ISO 8601
// string, "reply_bytes" the bytes the poll's read brought), and the temperature scale the
// instrument was set to, "°C" or "°F", when it is known.

#include <QByteArray>

#include "measure/sample_columns.h"
#include "settings/temperature_scale.h"

QByteArray SampleJson(const SampleValues& values, TemperatureScale scale);
