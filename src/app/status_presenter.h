#pragma once
// Keeps the status bar in step with the session: its state, the scan's progress, the
// samples logged and how long polls have brought nothing, what the link and the files
// last said; and, after them, why the MQTT broker cannot be reached, while it cannot (also
// the bar's tooltip, whole).

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "app/status_texts.h"

class QStatusBar;
class InstrumentSession;

class StatusPresenter : public QObject {
    Q_OBJECT
  public:
    StatusPresenter(QStatusBar& bar, InstrumentSession& session);

    const StatusSnapshot& Snapshot() const { return status_; }
    // Empty once the broker takes the connection.
    void SetBrokerProblem(const QString& text);

  private:
    void Show();

    QStatusBar& bar_;
    InstrumentSession& session_;
    StatusSnapshot status_;
    QString brokerProblem_;
    QElapsedTimer sinceData_;  // since the last sample or the connect
    bool silent_ = false;
    QTimer tick_;
};
