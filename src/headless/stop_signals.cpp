#include "headless/stop_signals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t StopSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

}  // namespace

bool StopSignals::BlockInAllThreads() {
    const sigset_t set = StopSet();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
    const sigset_t set = StopSet();
    fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd_ >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &StopSignals::Read);
    }
}

StopSignals::~StopSignals() {
    notifier_.reset();
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void StopSignals::Read() {
    signalfd_siginfo info{};
    while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        emit Received(static_cast<int>(info.ssi_signo));
    }
}
