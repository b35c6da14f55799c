#pragma once
// Writes a chart snapshot to a CSV file on a thread of its own, so that the window stays
// live however many points are in view. One export at a time. Progress and the end come
// back as signals on the exporter's thread; destroying the exporter cancels a running
// export and waits for its thread, which stops within one piece of text. The thread hands
// its progress and its end over through the exporter's mailbox.

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "chart/chart_csv_file.h"
#include "chart/chart_snapshot.h"
#include "threads/thread_mailbox.h"

class ChartExporter : public QObject {
    Q_OBJECT
  public:
    explicit ChartExporter(QObject* parent = nullptr);
    ~ChartExporter() override;
    ChartExporter(const ChartExporter&) = delete;
    ChartExporter& operator=(const ChartExporter&) = delete;

    // Starts writing `snapshot` to `path`; false, and nothing started, while an export runs.
    bool Start(ChartSnapshot snapshot, const QString& path);
    // Asks the running export to stop; Finished says Cancelled, and no file is left.
    void Cancel();
    bool Running() const { return running_; }
    // Called on the export's thread after each piece of text is written, with the points
    // written so far; exports started afterwards call it. Lets a test hold an export at a
    // point it chooses.
    void SetPieceWritten(std::function<void(std::int64_t points)> pieceWritten);

  signals:
    // Thousandths of the points written, each value once, rising.
    void Progress(int permille);
    void Finished(const ChartCsvFileResult& result, const QString& path);

  private:
    void Join();

    // What the export's thread posts lands here; the thread is joined before it goes.
    ThreadMailbox mailbox_;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::function<void(std::int64_t points)> pieceWritten_;
    // Set and cleared on the exporter's own thread only.
    bool running_ = false;
};
