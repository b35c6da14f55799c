#pragma once
// The one way a thread the program starts hands something to the thread an object lives on
// (the window's or the headless loop's): a closure posted to that object's mailbox, run on
// the mailbox's thread in the order posted. Every crossing goes through it: the session's
// job thread and the poll worker's (InstrumentSession), the MQTT connection's thread
// (SessionPublisher) and the chart export's thread (ChartExporter). It knows nothing of
// what crosses.
//
// Safe by one rule: every thread that posts is joined by the mailbox's owner before the
// mailbox goes (InstrumentSession::Stop, SessionPublisher::Close, ~ChartExporter). Qt drops
// closures still queued for a mailbox that is destroyed, so nothing runs on a gone owner.
// What a closure captures is handed over, not shared: the posting thread keeps no
// reference to it.

#include <QEvent>
#include <QObject>
#include <functional>

class ThreadMailbox : public QObject {
  public:
    // Lives on the thread that constructs it.
    ThreadMailbox();

    // Any thread.
    void Post(std::function<void()> closure);

  protected:
    bool event(QEvent* event) override;
};
