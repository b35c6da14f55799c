#pragma once
// A snapshot of the chart written as CSV (chart_data_csv.h) into a file. The text goes into
// a file of its own beside the chosen one, which takes the chosen name only once it is
// whole: a cancelled or failed export leaves nothing under that name, and a file that was
// there before stays as it was.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "chart/chart_snapshot.h"

struct ChartCsvFileResult {
    enum class Outcome { Written, Cancelled, Failed };
    Outcome outcome = Outcome::Failed;
    // The <cerrno> code of the failure.
    int error = 0;
    // Data rows in the file.
    std::int64_t rows = 0;
};

// `path` in UTF-8. `cancel` is looked at before each piece of text; `progress` is told the
// points written so far after each piece.
ChartCsvFileResult WriteChartCsvFile(const ChartSnapshot& snapshot, const std::string& path,
                                     const std::atomic<bool>& cancel,
                                     const std::function<void(std::int64_t points)>& progress);
