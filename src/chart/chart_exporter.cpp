#include "chart/chart_exporter.h"

#include <memory>
#include <utility>

ChartExporter::ChartExporter(QObject* parent) : QObject(parent) {}

ChartExporter::~ChartExporter() {
    Cancel();
    Join();
}

void ChartExporter::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void ChartExporter::Cancel() {
    cancel_.store(true, std::memory_order_relaxed);
}

void ChartExporter::SetPieceWritten(std::function<void(std::int64_t points)> pieceWritten) {
    pieceWritten_ = std::move(pieceWritten);
}

bool ChartExporter::Start(ChartSnapshot snapshot, const QString& path) {
    if (running_) {
        return false;
    }
    // The thread of the last export has ended or is about to: its Finished is what cleared
    // running_.
    Join();
    running_ = true;
    cancel_.store(false, std::memory_order_relaxed);
    thread_ = std::thread([this, snapshot = std::move(snapshot), path,
                           pieceWritten = pieceWritten_] {
        // Counted here: a month's points take the window's thread a tenth of a second.
        const std::int64_t total = CountChartPoints(snapshot.Columns(), snapshot.from, snapshot.to);
        int shown = 0;
        const ChartCsvFileResult result =
            WriteChartCsvFile(snapshot, path.toStdString(), cancel_, [&](std::int64_t points) {
                const int permille = total > 0 ? static_cast<int>(points * 1000 / total) : 1000;
                if (permille > shown) {
                    shown = permille;
                    mailbox_.Post([this, permille] { emit Progress(permille); });
                }
                if (pieceWritten) {
                    pieceWritten(points);
                }
            });
        mailbox_.Post([this, result, path] {
            running_ = false;
            emit Finished(result, path);
        });
    });
    return true;
}
