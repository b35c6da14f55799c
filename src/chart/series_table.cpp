#include "chart/series_table.h"

namespace {

const std::array<SeriesLook, kSeriesCount> kTable{{
    {"°Cdp", QColor(255, 0, 0), 2, true, 100.0},
    {"Radiator", QColor(0, 128, 0), 1, false, 100.0},
    {"Rosa", QColor(255, 255, 0), 2, false, 10.0},
    {"Moc", QColor(128, 0, 64), 1, false, 10.0},
    {"Szron", QColor(0, 0, 0), 1, false, 10.0},
    {"Lustro", QColor(255, 128, 64), 2, false, 100.0},
    {"°C", QColor(0, 0, 255), 1, true, 100.0},
}};

}  // namespace

const std::array<SeriesLook, kSeriesCount>& SeriesTable() {
    return kTable;
}
