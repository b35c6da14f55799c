#pragma once
// SIGINT, SIGTERM and SIGHUP as events of the event loop: blocked in every thread and read
// from a signalfd, so no handler runs and nothing is shared with one.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

class StopSignals : public QObject {
    Q_OBJECT
  public:
    // Blocks the signals in the calling thread, and so in every thread it starts later: call
    // before any thread exists. False when the system refused.
    static bool BlockInAllThreads();

    // Opens the signalfd; IsOpen says whether that worked.
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

  signals:
    void Received(int signal);

  private:
    void Read();

    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};
