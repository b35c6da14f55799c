#pragma once
// The Logger tab: one record on demand, and the dump of all 256 to "logged.txt".

#include <QObject>
#include <atomic>
#include <thread>

class InstrumentLink;
class TForm1;

class LoggerHandlers : public QObject {
    Q_OBJECT
  public:
    LoggerHandlers(TForm1& form, InstrumentLink& link, bool englishUi);
    ~LoggerHandlers() override;

    // Ends a running dump within the exchange in progress and waits for its task; the
    // window's close calls it after the link has shut down and before the port closes.
    void Shutdown();

  public slots:
    void Button3Click();
    // Returns when the dump has ended; the window keeps painting meanwhile.
    void Button4Click();

  signals:
    // Sent from the dump task; queued to the user-interface thread.
    void DumpPosition(int number);
    void DumpEnded();

  private:
    TForm1& form_;
    InstrumentLink& link_;
    const bool englishUi_;
    std::thread dumpTask_;
    std::atomic<bool> stopDump_{false};
};
