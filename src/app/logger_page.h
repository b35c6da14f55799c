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
    QLabel* Label42 = nullptr;
    QLineEdit* Edit30 = nullptr;  // record number
    QLabel* Label41 = nullptr;
    QLineEdit* Edit29 = nullptr;  // object id
    QLabel* Label36 = nullptr;
    QLineEdit* Edit24 = nullptr;  // humidity
    QLabel* Label37 = nullptr;
    QLineEdit* Edit25 = nullptr;  // temperature
    QLabel* Label40 = nullptr;
    QLineEdit* Edit27 = nullptr;  // date
    QLabel* Label39 = nullptr;
    QLineEdit* Edit28 = nullptr;  // time
    QLabel* Label38 = nullptr;
    QLineEdit* Edit26 = nullptr;  // status
    QLabel* Label43 = nullptr;
    QLabel* Label44 = nullptr;
    QLineEdit* Edit31 = nullptr;  // the record asked for
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

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
