// The chart's data export: rows merged by time from every series, the range, the texts.
#include <gtest/gtest.h>

#include <QDateTime>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_data_csv.h"
#include "chart/ole_date.h"
#include "local_zone.h"
#include "measure/sample_columns.h"
#include "series/series_table.h"

namespace {

constexpr double kSecond = 1.0 / 86'400.0;

struct Store {
    std::array<std::unique_ptr<SeriesPoints>, kSeriesCount> points;
    Store() {
        for (auto& p : points) {
            p = std::make_unique<SeriesPoints>(50'000);
        }
    }
    ChartColumns Columns() const {
        ChartColumns columns{};
        for (std::size_t i = 0; i < kSeriesCount; ++i) {
            columns[i] = points[i].get();
        }
        return columns;
    }
};

std::string Csv(const Store& store, double from, double to, std::int64_t* rows = nullptr) {
    std::string text;
    const std::int64_t written = WriteChartDataCsv(store.Columns(), from, to, [&](auto piece) {
        text += piece;
        return true;
    });
    if (rows != nullptr) {
        *rows = written;
    }
    return text;
}

TEST(ChartDataCsvTest, OneRowPerTimeWithEachSeriesValueWhereItHasOne) {
    const ScopedLocalZone zone(kDstZone);
    ExpectDstZoneActive();
    const double t0 = OleDate(QDate(2026, 12, 10), QTime(13, 15, 0, 250));
    Store store;
    // A live sample on every series at t0 and t0 + 2 s, a loaded point on DewPointSeries and
    // HeadTemperatureSeries in between, and a point on DewPointSeries out of range on each side.
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        store.points[i]->Add(t0, static_cast<double>(-1234 + 100 * static_cast<int>(i)) / 100.0);
        store.points[i]->Add(t0 + 2 * kSecond, static_cast<double>(i) / 10.0);
    }
    store.points[DewPointSeries]->Add(t0 + kSecond, 1.0 / 3.0);
    store.points[HeadTemperatureSeries]->Add(t0 + kSecond, 1e-7);
    store.points[DewPointSeries]->Add(t0 - kSecond, 99.0);
    store.points[DewPointSeries]->Add(t0 + 3 * kSecond, 99.0);

    std::int64_t rows = 0;
    const std::string text = Csv(store, t0, t0 + 2 * kSecond, &rows);
    EXPECT_EQ(rows, 3);
    const std::string expected =
        "time,dew_point,head_temperature,mirror_dew_level,peltier_power,frost_level,"
        "mirror_temperature,ambient_temperature\n"
        "2026-12-10T13:15:00.250+01:00,-12.34,-11.34,-10.34,-9.34,-8.34,-7.34,-6.34\n"
        "2026-12-10T13:15:01.250+01:00,0.3333333333333333,1e-07,,,,,\n"
        "2026-12-10T13:15:02.250+01:00,0,0.1,0.2,0.3,0.4,0.5,0.6\n";
    EXPECT_EQ(text, expected);
}

TEST(ChartDataCsvTest, TimesKeepTheirOwnUtcOffsetAcrossTheClockChanges) {
    const ScopedLocalZone zone(kDstZone);
    ExpectDstZoneActive();
    struct Row {
        QDate date;
        QTime time;
        const char* text;
    };
    // The hour before each change, the change, within the repeated hour (taken as summer
    // time, as the dated record takes it) and the hour after.
    const Row rows[] = {
        {QDate(2024, 3, 31), QTime(0, 59, 59, 999), "2024-03-31T00:59:59.999+01:00"},
        {QDate(2024, 3, 31), QTime(1, 0), "2024-03-31T01:00:00.000+01:00"},
        {QDate(2024, 3, 31), QTime(1, 59, 59, 999), "2024-03-31T01:59:59.999+01:00"},
        {QDate(2024, 3, 31), QTime(3, 0), "2024-03-31T03:00:00.000+02:00"},
        {QDate(2024, 3, 31), QTime(3, 0, 0, 1), "2024-03-31T03:00:00.001+02:00"},
        {QDate(2024, 10, 27), QTime(1, 59, 59), "2024-10-27T01:59:59.000+02:00"},
        {QDate(2024, 10, 27), QTime(2, 0), "2024-10-27T02:00:00.000+02:00"},
        {QDate(2024, 10, 27), QTime(2, 30), "2024-10-27T02:30:00.000+02:00"},
        {QDate(2024, 10, 27), QTime(2, 59, 59, 999), "2024-10-27T02:59:59.999+02:00"},
        {QDate(2024, 10, 27), QTime(3, 0), "2024-10-27T03:00:00.000+01:00"},
        {QDate(2024, 10, 27), QTime(23, 59, 59, 999), "2024-10-27T23:59:59.999+01:00"},
        {QDate(2024, 10, 28), QTime(0, 0), "2024-10-28T00:00:00.000+01:00"},
    };
    Store store;
    std::string expected =
        "time,dew_point,head_temperature,mirror_dew_level,peltier_power,frost_level,"
        "mirror_temperature,ambient_temperature\n";
    for (const Row& row : rows) {
        store.points[DewPointSeries]->Add(OleDate(row.date, row.time), 1.5);
        expected += std::string(row.text) + ",1.5,,,,,,\n";
    }
    EXPECT_EQ(Csv(store, OleDate(QDate(2024, 1, 1), QTime(0, 0)),
                  OleDate(QDate(2025, 1, 1), QTime(0, 0))),
              expected);
}

TEST(ChartDataCsvTest, ColumnNamesAreTheDatedRecordsAndAWriteFailureStops) {
    for (const SeriesEntry& entry : kSeriesTable) {
        EXPECT_NE(std::find(kSampleColumnNames.begin(), kSampleColumnNames.end(), entry.columnName),
                  kSampleColumnNames.end())
            << entry.columnName;
    }

    Store store;
    const double t0 = OleDate(QDate(2026, 1, 1), QTime(0, 0));
    for (int s = 0; s < 20'000; ++s) {
        store.points[AmbientTemperatureSeries]->Add(t0 + s * kSecond, 21.5);
    }
    // An empty range still has its header.
    std::int64_t rows = -1;
    EXPECT_EQ(Csv(store, t0 - 1.0, t0 - 0.5, &rows).find('\n') + 1,
              Csv(store, t0 - 1.0, t0 - 0.5).size());
    EXPECT_EQ(rows, 0);

    int pieces = 0;
    const std::int64_t written =
        WriteChartDataCsv(store.Columns(), t0, t0 + 1.0, [&](std::string_view) {
            ++pieces;
            return pieces < 2;
        });
    EXPECT_EQ(written, -1);
    EXPECT_EQ(pieces, 2);
}

}  // namespace
