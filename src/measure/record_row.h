#pragma once
// Lines of the dated record: comma-separated values, one sample a line, ended by LF alone so
// that a script splitting on commas gets the last column without a stray CR. No value holds a
// comma, a quote or a line end, so nothing is quoted.

#include <QByteArray>

#include "measure/sample_columns.h"

// The header: the column names.
QByteArray RecordHeader();

// One sample's line.
QByteArray RecordRow(const SampleValues& values);
