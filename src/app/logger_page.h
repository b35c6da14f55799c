#pragma once
// The Logger tab: one record on demand, and the dump of all 256 to "logged.txt". The
// session makes the exchanges; this shows what it answers.

#include <QWidget>

#include "logger/logger_dump.h"
#include "logger/logger_request.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class InstrumentSession;

class LoggerPage : public QWidget {
    Q_OBJECT
  public:
    explicit LoggerPage(QWidget* parent = nullptr);

    // The buttons ask `session`; what it answers shows here. Once, before use.
    void Attach(InstrumentSession& session);

    bool Dumping() const { return dumping_; }

    // One logger record.
    QLabel* RecordNumberCaption = nullptr;
    QLineEdit* RecordNumberEdit = nullptr;
    QLabel* ObjectIdCaption = nullptr;
    QLineEdit* ObjectIdEdit = nullptr;
    QLabel* HumidityCaption = nullptr;
    QLineEdit* HumidityEdit = nullptr;
    QLabel* TemperatureCaption = nullptr;
    QLineEdit* TemperatureEdit = nullptr;
    QLabel* DateCaption = nullptr;
    QLineEdit* DateEdit = nullptr;
    QLabel* TimeCaption = nullptr;
    QLineEdit* TimeEdit = nullptr;
    QLabel* StatusCaption = nullptr;
    QLineEdit* StatusEdit = nullptr;
    QLabel* ChosenRecordCaption = nullptr;
    QLabel* ChosenRecordRange = nullptr;
    QLineEdit* ChosenRecordEdit = nullptr;  // the record asked for
    QPushButton* ReadRecordButton = nullptr;
    QPushButton* DumpButton = nullptr;
    QProgressBar* DumpProgressBar = nullptr;

  public slots:
    void ReadChosenRecord();
    // Starts the dump and returns; the progress bar follows it and a message ends it.
    void StartDump();

  private:
    void ShowRecord(const LoggerRequestResult& got);
    void ShowDumpEnd(const LoggerDumpResult& result, int closeError);
    void SetDumping(bool dumping);

    InstrumentSession* session_ = nullptr;
    bool dumping_ = false;
};
