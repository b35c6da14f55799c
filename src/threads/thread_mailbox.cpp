#include "threads/thread_mailbox.h"

#include <QCoreApplication>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace {

const QEvent::Type kClosureEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// Qt's event queue orders the posting before the delivery inside Qt's own library, which
// ThreadSanitizer does not see (Debian's Qt is built without it): the event says so
// itself, and is a plain event in any other build.
class ClosureEvent : public QEvent {
  public:
    explicit ClosureEvent(std::function<void()> closure)
        : QEvent(kClosureEvent), closure_(std::move(closure)) {
#if defined(__SANITIZE_THREAD__)
        __tsan_release(this);
#endif
    }
    ~ClosureEvent() override {
        TakeOver();
    }

    void Run() {
        TakeOver();
        closure_();
    }

  private:
    void TakeOver() {
#if defined(__SANITIZE_THREAD__)
        __tsan_acquire(this);
#endif
    }

    std::function<void()> closure_;
};

}  // namespace

ThreadMailbox::ThreadMailbox() = default;

void ThreadMailbox::Post(std::function<void()> closure) {
    QCoreApplication::postEvent(this, new ClosureEvent(std::move(closure)));
}

bool ThreadMailbox::event(QEvent* event) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(event);  // before reading even its type: a closure's event was built elsewhere
#endif
    if (event->type() != kClosureEvent) {
        return QObject::event(event);
    }
    static_cast<ClosureEvent*>(event)->Run();
    return true;
}
