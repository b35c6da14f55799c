#pragma once
// The one way the program's own threads (the session's job thread, the poll worker, the
// MQTT connection's thread) hand something to the thread a QObject lives on, the window's
// or the headless loop's: a closure queued to that object, run there in the order posted.
//
// Safe by one rule: the thread that posts is joined by the receiver's owner before the
// receiver goes (InstrumentSession::Stop, SessionPublisher::Close). Qt drops closures still
// queued for a receiver that is destroyed, so nothing runs on a gone object, and nothing the
// closure captures may outlive the receiver.

#include <QMetaObject>
#include <QObject>
#include <utility>

template <typename Fn>
void PostToThreadOf(QObject* receiver, Fn&& fn) {
    QMetaObject::invokeMethod(receiver, std::forward<Fn>(fn), Qt::QueuedConnection);
}
