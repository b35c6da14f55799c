#pragma once
// Reading a chart file from disk.

#include "viewer/chart_file_parser.h"

class QLocale;
class QString;

struct ChartFileResult {
    LoadedPoints points;
    // errno of a failed open or read, 0 when the file was read to its end or to the line
    // that stopped the loading. Points read before a failed read are kept.
    int fileErrno = 0;
};

// Reads the whole file through a descriptor of its own, closed on every path, with the
// time rules of `locale`, keeping the newest `keepNewest` points of each series.
ChartFileResult LoadChartFile(const QString& path, const QLocale& locale,
                              std::size_t keepNewest = ChartFileParser::kKeepAll);
