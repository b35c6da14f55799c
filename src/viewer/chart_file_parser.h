#pragma once
// Turning the bytes of a chart file into the points of the two plotted series.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "viewer/newest_points.h"
#include "viewer/time_text.h"

struct LoadedPoints {
    std::vector<double> x1, y1;  // the first value slice, for the dew point series
    std::vector<double> x2, y2;  // the second value slice, for the head temperature series
    // "'...' is not a valid time" when a line stopped the loading; the points before that
    // line are kept. Plain text: it may hold any character the file held.
    std::optional<QString> error;
    // Lines read after the two headers, the one that stopped the loading included. The
    // chart's axis goes back to automatic scaling only when there was at least one.
    std::size_t dataLines = 0;
};

// Takes the file in pieces split anywhere (a read buffer at a time). Lines end with LF or
// CR LF; a CR elsewhere is an ordinary character; an unfinished last line is a line. The
// first two lines are headers and are skipped whatever they hold. Every further line
// gives x = time of day + day counter, where the counter advances by one when x would
// otherwise fall below the previous x, and a point on each series whose value is not 0.
// Of each series' points only the newest `keepNewest` are kept: a chart series that holds
// no more would drop the others anyway.
class ChartFileParser {
  public:
    explicit ChartFileParser(TimeTextRules rules, std::size_t keepNewest = kKeepAll);
    static constexpr std::size_t kKeepAll = static_cast<std::size_t>(-1);

    // Returns false once a line has stopped the loading; later bytes are ignored.
    bool Feed(std::string_view bytes);
    // Ends the file and hands over the points.
    LoadedPoints Finish();
    // Hands over the points when the file cannot be read further; an unfinished line is
    // dropped, as its end is unknown.
    LoadedPoints Abandon();

  private:
    void Line(std::string_view line);

    TimeTextRules rules_;
    // The start of a line that runs past the bytes fed so far; enough of it to hold the
    // characters that are read, with the CR of a short line.
    std::string pending_;
    bool inLine_ = false;
    std::size_t headersLeft_ = 2;
    double previousX_ = 0.0;
    double day_ = 0.0;
    NewestPoints series1_;
    NewestPoints series2_;
    LoadedPoints points_;
};

// The whole file at once.
LoadedPoints ParseChartFile(std::string_view bytes, const TimeTextRules& rules);
