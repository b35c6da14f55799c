#pragma once
// The Logger tab: one record on demand, and the dump of all 256 to "logged.txt". The
// session makes the exchanges; this shows what it answers.

#include <QObject>
#include <memory>

#include "logger/logger_dump.h"
#include "logger/logger_request.h"

class InputBlock;
class InstrumentSession;
class TForm1;

class LoggerHandlers : public QObject {
    Q_OBJECT
  public:
    LoggerHandlers(TForm1& form, InstrumentSession& session, bool englishUi);
    ~LoggerHandlers() override;

    bool Dumping() const { return block_ != nullptr; }

  public slots:
    void Button3Click();
    // Starts the dump and returns; the progress bar follows it and a message ends it.
    void Button4Click();

  private:
    void ShowRecord(const LoggerRequestResult& got);
    void ShowDumpEnd(const LoggerDumpResult& result, int closeError);
    void ShowNotConnected();

    TForm1& form_;
    InstrumentSession& session_;
    const bool englishUi_;
    // The window's input, taken away while the dump runs.
    std::unique_ptr<InputBlock> block_;
};
