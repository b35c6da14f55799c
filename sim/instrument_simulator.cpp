#include "sim/instrument_simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sim/terminal_link.h"

namespace sim {

namespace {

constexpr std::size_t kMaxRecordedRequests = 100000;
constexpr std::size_t kMaxRecordedBytes = 1 << 20;
// The service thread never sleeps longer than this in one poll.
constexpr int kMaxPollMs = 200;
constexpr auto kHangUpWait = std::chrono::seconds(2);

bool SetFdFlags(int fd, bool nonBlocking) {
    if (fcntl(fd, F_SETFD, FD_CLOEXEC) != 0) {
        return false;
    }
    if (!nonBlocking) {
        return true;
    }
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
    }
    fd = -1;
}

int MillisecondsUntil(std::chrono::steady_clock::time_point when) {
    const auto left = when - std::chrono::steady_clock::now();
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, kMaxPollMs));
}

}  // namespace

InstrumentSimulator::InstrumentSimulator() = default;

InstrumentSimulator::~InstrumentSimulator() {
    Stop();
}

bool InstrumentSimulator::Start(std::string* why) {
    std::lock_guard lock(mutex_);
    if (started_ || stopRequested_) {
        if (why) {
            *why = "the simulator was already started";
        }
        return false;
    }
    auto fail = [&](const std::string& reason) {
        if (why) {
            *why = reason;
        }
        CloseFdsLocked();
        return false;
    };
    std::string reason;
    if (!OpenTerminalLocked(&reason)) {
        return fail(reason);
    }

    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return fail(std::string("pipe: ") + std::strerror(errno));
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    if (!SetFdFlags(wakeRead_, true) || !SetFdFlags(wakeWrite_, true)) {
        return fail(std::string("fcntl on the wake pipe: ") + std::strerror(errno));
    }
    if (!linkPath_.empty() && !MakeTerminalLink(linkPath_, slavePath_, &reason)) {
        return fail(reason);
    }
    if (!sentLogPath_.empty()) {
        sentLog_ = std::fopen(sentLogPath_.c_str(), "we");
        if (sentLog_ == nullptr) {
            return fail(sentLogPath_ + ": " + std::strerror(errno));
        }
    }

    startTime_ = Clock::now();
    lastScheduled_ = startTime_;
    started_ = true;
    thread_ = std::thread(&InstrumentSimulator::Run, this, wakeRead_);
    return true;
}

bool InstrumentSimulator::OpenTerminalLocked(std::string* why) {
    auto fail = [&](const char* step, int error) {
        *why = std::string(step) + ": " + std::strerror(error);
        CloseFd(masterFd_);
        CloseFd(slaveFd_);
        return false;
    };
    masterFd_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (masterFd_ < 0) {
        return fail("posix_openpt", errno);
    }
    if (!SetFdFlags(masterFd_, true)) {
        return fail("fcntl on the master", errno);
    }
    if (grantpt(masterFd_) != 0) {
        return fail("grantpt", errno);
    }
    if (unlockpt(masterFd_) != 0) {
        return fail("unlockpt", errno);
    }
    char name[256] = {};
    if (const int error = ptsname_r(masterFd_, name, sizeof name); error != 0) {
        return fail("ptsname_r", error);
    }

    // Held open while plugged in: without it the master would report a hang-up whenever no
    // client has the port open.
    slaveFd_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd_ < 0) {
        return fail("open of the slave", errno);
    }
    termios tio{};
    if (tcgetattr(slaveFd_, &tio) != 0) {
        return fail("tcgetattr", errno);
    }
    cfmakeraw(&tio);  // no echo of the replies back to the master, no line editing
    cfsetispeed(&tio, B4800);
    cfsetospeed(&tio, B4800);
    if (tcsetattr(slaveFd_, TCSANOW, &tio) != 0) {
        return fail("tcsetattr", errno);
    }
    slavePath_ = name;
    return true;
}

void InstrumentSimulator::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    Wake();
    if (thread_.joinable()) {
        thread_.join();
    }
    std::lock_guard lock(mutex_);
    output_.clear();
    CloseFdsLocked();
    if (!linkPath_.empty() && !slavePath_.empty()) {
        RemoveTerminalLink(linkPath_, slavePath_);
    }
    changed_.notify_all();
}

void InstrumentSimulator::CloseFdsLocked() {
    CloseFd(masterFd_);
    CloseFd(slaveFd_);
    CloseFd(wakeRead_);
    CloseFd(wakeWrite_);
    if (sentLog_ != nullptr) {
        std::fclose(sentLog_);
        sentLog_ = nullptr;
    }
}

void InstrumentSimulator::Wake() {
    std::lock_guard lock(mutex_);
    if (wakeWrite_ >= 0) {
        const std::uint8_t byte = 1;
        [[maybe_unused]] const ssize_t ignored =
            write(wakeWrite_, &byte, 1);  // full pipe: awake anyway
    }
}

std::string InstrumentSimulator::SlavePath() const {
    std::lock_guard lock(mutex_);
    return slavePath_;
}

std::size_t InstrumentSimulator::UnreadByClient() const {
    std::lock_guard lock(mutex_);
    int queued = 0;
    if (slaveFd_ < 0 || ioctl(slaveFd_, FIONREAD, &queued) != 0 || queued < 0) {
        return 0;
    }
    return static_cast<std::size_t>(queued);
}

std::uint64_t InstrumentSimulator::ServiceWakeUps() const {
    return wakeUps_.load(std::memory_order_relaxed);
}

bool InstrumentSimulator::IsRunning() const {
    std::lock_guard lock(mutex_);
    return started_ && !stopRequested_ && !hungUp_;
}

// ---- Service thread ----

void InstrumentSimulator::Run(int wakeFd) {
    std::vector<std::uint8_t> input(4096);
    bool waitingForRoom = false;  // a due reply did not fit: wait for POLLOUT
    bool masterHungUp = false;    // should not happen while slaveFd_ is open; never spin on it

    for (;;) {
        int timeoutMs = kMaxPollMs;
        int masterFd = -1;
        {
            std::lock_guard lock(mutex_);
            if (stopRequested_) {
                return;
            }
            if (hangUpRequested_) {
                CloseFd(masterFd_);
                CloseFd(slaveFd_);
                output_.clear();
                hungUp_ = true;
                changed_.notify_all();
                return;
            }
            masterFd = FollowPlugLocked(Clock::now());
            if (masterFd < 0) {
                framer_ = RequestFramer{};
                waitingForRoom = false;
            }
            std::optional<Clock::time_point> next = framer_.Deadline();
            if (!output_.empty() && !waitingForRoom) {
                next = next ? std::min(*next, output_.front().due) : output_.front().due;
            }
            if (replugAt_) {
                next = next ? std::min(*next, *replugAt_) : *replugAt_;
            }
            if (next) {
                timeoutMs = MillisecondsUntil(*next);
            }
        }

        pollfd fds[2] = {{wakeFd, POLLIN, 0}, {masterFd, POLLIN, 0}};
        if (waitingForRoom) {
            fds[1].events |= POLLOUT;
        }
        const nfds_t count = masterHungUp || masterFd < 0 ? 1 : 2;
        if (masterHungUp) {
            timeoutMs = std::min(timeoutMs, 50);
        }
        const int ready = poll(fds, count, timeoutMs);
        wakeUps_.fetch_add(1, std::memory_order_relaxed);
        if (ready < 0 && errno != EINTR) {
            poll(fds, 1, 10);  // out of memory or the like: no busy loop
            continue;
        }
        if (fds[0].revents & POLLIN) {
            std::uint8_t drain[64];
            while (read(wakeFd, drain, sizeof drain) > 0) {
            }
        }
        masterHungUp = false;

        if (count == 2 && (fds[1].revents & POLLIN)) {
            for (;;) {
                const ssize_t got = read(masterFd, input.data(), input.size());
                if (got > 0) {
                    const auto now = Clock::now();
                    Record(input.data(), static_cast<std::size_t>(got));
                    for (const FramedRequest& r :
                         framer_.Feed(input.data(), static_cast<std::size_t>(got), now)) {
                        HandleRequest(r, now);
                    }
                    continue;
                }
                if (got < 0 && errno == EINTR) {
                    continue;
                }
                if (got == 0 || (got < 0 && errno == EIO)) {
                    masterHungUp = true;
                }
                break;  // EAGAIN: all read
            }
        } else if (count == 2 && (fds[1].revents & (POLLHUP | POLLERR))) {
            masterHungUp = true;
        }

        if (masterFd < 0) {
            continue;
        }
        const auto now = Clock::now();
        for (const FramedRequest& r : framer_.Idle(now)) {
            HandleRequest(r, now);
        }
        WriteDueOutput(masterFd, &waitingForRoom);
    }
}

int InstrumentSimulator::FollowPlugLocked(Clock::time_point now) {
    if (unplugRequested_) {
        unplugRequested_ = false;
        // The stable name goes with the device, as the system removes a pulled adapter's
        // links: a link left behind could lead to another terminal given the same number.
        if (!linkPath_.empty()) {
            RemoveTerminalLink(linkPath_, slavePath_);
        }
        CloseFd(masterFd_);
        CloseFd(slaveFd_);
        output_.clear();
        unplugged_ = true;
        changed_.notify_all();
    }
    if (unplugged_ && replugAt_ && *replugAt_ <= now) {
        replugAt_.reset();
        std::string why;
        // A failure leaves the instrument unplugged; there is nobody to tell but the caller
        // who waits for the replug.
        if (OpenTerminalLocked(&why) &&
            (linkPath_.empty() || MakeTerminalLink(linkPath_, slavePath_, &why))) {
            unplugged_ = false;
            lastScheduled_ = now;
        }
        changed_.notify_all();
    }
    return masterFd_;
}

void InstrumentSimulator::Record(const std::uint8_t* data, std::size_t count) {
    std::lock_guard lock(mutex_);
    receivedBytes_.insert(receivedBytes_.end(), data, data + count);
    if (receivedBytes_.size() > kMaxRecordedBytes) {
        receivedBytes_.erase(receivedBytes_.begin(),
                             receivedBytes_.end() - static_cast<std::ptrdiff_t>(kMaxRecordedBytes));
    }
}

void InstrumentSimulator::HandleRequest(const FramedRequest& request, Clock::time_point now) {
    std::lock_guard lock(mutex_);
    requests_.push_back({request.kind, request.bytes, now});
    if (requests_.size() > kMaxRecordedRequests) {
        requests_.erase(requests_.begin(), requests_.begin() + kMaxRecordedRequests / 10);
    }
    ++requestCounts_[static_cast<std::size_t>(request.kind)];
    changed_.notify_all();

    const double seconds = std::chrono::duration<double>(now - startTime_).count();
    std::optional<Bytes> answer = state_.Answer(request.kind, request.bytes, seconds);
    auto queued = queuedReplies_.find(request.kind);
    if (queued != queuedReplies_.end() && !queued->second.empty()) {
        answer = std::move(queued->second.front());
        queued->second.pop_front();
    }
    if (!answer || answer->empty()) {
        return;
    }

    if (silent_.Active()) {
        silent_.Use();
        return;
    }
    if (short_.Active() && answer->size() > shortLength_) {
        short_.Use();
        answer->resize(shortLength_);
    }
    if (overLong_.Active()) {
        overLong_.Use();
        if (answer->size() < overLongLength_) {
            answer->resize(overLongLength_, overLongFiller_);
        }
    }
    Clock::time_point due = now;
    if (slow_.Active()) {
        slow_.Use();
        due += slowDelay_;
    }
    due = std::max(due, lastScheduled_);  // answers leave in the order of their requests
    if (split_.Active() && answer->size() > 1) {
        split_.Use();
        const auto first =
            static_cast<std::ptrdiff_t>(std::min(splitFirstPart_, answer->size() - 1));
        output_.push_back({due, Bytes(answer->begin(), answer->begin() + first), 0, false, true});
        output_.push_back(
            {due + splitGap_, Bytes(answer->begin() + first, answer->end()), 0, true, false});
        lastScheduled_ = due + splitGap_;
    } else {
        output_.push_back({due, std::move(*answer), 0, true});
        lastScheduled_ = due;
    }
}

void InstrumentSimulator::WriteDueOutput(int masterFd, bool* waitingForRoom) {
    std::lock_guard lock(mutex_);
    *waitingForRoom = false;
    while (!output_.empty() && output_.front().due <= Clock::now()) {
        Chunk& chunk = output_.front();
        const ssize_t wrote =
            write(masterFd, chunk.bytes.data() + chunk.written, chunk.bytes.size() - chunk.written);
        if (wrote > 0) {
            LogSentLocked(chunk, chunk.bytes.data() + chunk.written,
                          static_cast<std::size_t>(wrote));
            chunk.written += static_cast<std::size_t>(wrote);
            if (chunk.written == chunk.bytes.size()) {
                if (chunk.lastOfAnswer) {
                    changed_.notify_all();
                }
                output_.pop_front();
            }
            continue;
        }
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            *waitingForRoom = true;  // the client is not reading: wait until there is room
            return;
        }
        output_.pop_front();  // the master refuses the bytes: drop them, never retry in a loop
    }
}

void InstrumentSimulator::LogSentLocked(const Chunk& chunk, const std::uint8_t* data,
                                        std::size_t count) {
    if (sentLog_ == nullptr) {
        return;
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line = chunk.firstOfAnswer && chunk.written == 0 ? "A " : "+ ";
    line.reserve(line.size() + 2 * count + 1);
    for (std::size_t i = 0; i < count; ++i) {
        line += kDigits[data[i] >> 4];
        line += kDigits[data[i] & 0x0F];
    }
    line += '\n';
    // Flushed at once: a reader may compare while the simulator runs, or after a kill.
    std::fwrite(line.data(), 1, line.size(), sentLog_);
    std::fflush(sentLog_);
}

// ---- State ----

void InstrumentSimulator::SetIdentification(std::string text) {
    std::lock_guard lock(mutex_);
    state_.identification = std::move(text);
}

std::string InstrumentSimulator::Identification() const {
    std::lock_guard lock(mutex_);
    return state_.identification;
}

void InstrumentSimulator::SetVersion(std::uint8_t version, std::uint8_t revision,
                                     std::uint16_t serial) {
    std::lock_guard lock(mutex_);
    state_.version = version;
    state_.revision = revision;
    state_.serial = serial;
}

void InstrumentSimulator::SetFixedMeasurement(const MeasurementReply& bytes) {
    std::lock_guard lock(mutex_);
    state_.fixedMeasurement = bytes;
}

void InstrumentSimulator::ClearFixedMeasurement() {
    std::lock_guard lock(mutex_);
    state_.fixedMeasurement.reset();
}

double InstrumentSimulator::SecondsSinceStartLocked() const {
    if (!started_) {
        return 0.0;
    }
    return std::chrono::duration<double>(Clock::now() - startTime_).count();
}

void InstrumentSimulator::HoldDewPoint(double celsius, double perHour) {
    std::lock_guard lock(mutex_);
    const double now = SecondsSinceStartLocked();
    state_.dewPointCourse =
        DewPointCourse{std::clamp(celsius, kLowestDewPoint, kHighestDewPoint), perHour, now};
}

void InstrumentSimulator::DriftDewPoint(double perHour) {
    std::lock_guard lock(mutex_);
    const double now = SecondsSinceStartLocked();
    state_.dewPointCourse = DewPointCourse{state_.DewPointAt(now), perHour, now};
}

void InstrumentSimulator::ClearDewPointCourse() {
    std::lock_guard lock(mutex_);
    state_.dewPointCourse.reset();
}

std::optional<DewPointCourse> InstrumentSimulator::GetDewPointCourse() const {
    std::lock_guard lock(mutex_);
    return state_.dewPointCourse;
}

void InstrumentSimulator::SetDewPointCourse(std::optional<DewPointCourse> course) {
    std::lock_guard lock(mutex_);
    state_.dewPointCourse = course;
}

SettingsReply InstrumentSimulator::Settings() const {
    std::lock_guard lock(mutex_);
    return state_.settings;
}

void InstrumentSimulator::SetSettings(const SettingsReply& settings) {
    std::lock_guard lock(mutex_);
    state_.settings = settings;
}

Bytes InstrumentSimulator::LastSettingsFrame() const {
    std::lock_guard lock(mutex_);
    return state_.lastSettingsFrame;
}

LoggerRecordReply InstrumentSimulator::LoggerRecord(std::uint8_t number) const {
    std::lock_guard lock(mutex_);
    return state_.loggerRecords[number];
}

void InstrumentSimulator::SetLoggerRecord(std::uint8_t number, const LoggerRecordReply& record) {
    std::lock_guard lock(mutex_);
    state_.loggerRecords[number] = record;
}

void InstrumentSimulator::SetSettingsFrameAnswer(std::optional<Bytes> answer) {
    std::lock_guard lock(mutex_);
    state_.settingsFrameAnswer = std::move(answer);
}

// ---- Faults ----

void InstrumentSimulator::SetSilent(int answers) {
    std::lock_guard lock(mutex_);
    silent_.remaining = answers;
}

void InstrumentSimulator::SetSlow(std::chrono::milliseconds delay, int answers) {
    std::lock_guard lock(mutex_);
    slowDelay_ = delay;
    slow_.remaining = delay.count() > 0 ? answers : 0;
}

void InstrumentSimulator::SetSplit(std::size_t firstPart, std::chrono::milliseconds gap,
                                   int answers) {
    std::lock_guard lock(mutex_);
    splitFirstPart_ = firstPart;
    splitGap_ = gap;
    split_.remaining = firstPart > 0 ? answers : 0;
}

void InstrumentSimulator::SetOverLong(std::size_t totalLength, int answers, std::uint8_t filler) {
    std::lock_guard lock(mutex_);
    overLongLength_ = totalLength;
    overLongFiller_ = filler;
    overLong_.remaining = totalLength > 0 ? answers : 0;
}

void InstrumentSimulator::SetShort(std::size_t length, int answers) {
    std::lock_guard lock(mutex_);
    shortLength_ = length;
    short_.remaining = length > 0 ? answers : 0;
}

void InstrumentSimulator::QueueReply(RequestKind kind, Bytes bytes) {
    std::lock_guard lock(mutex_);
    queuedReplies_[kind].push_back(std::move(bytes));
}

void InstrumentSimulator::ClearFaults() {
    std::lock_guard lock(mutex_);
    silent_ = {};
    slow_ = {};
    split_ = {};
    overLong_ = {};
    short_ = {};
    queuedReplies_.clear();
    state_.settingsFrameAnswer = Bytes{'O', 'K'};
}

bool InstrumentSimulator::HangUp() {
    {
        std::lock_guard lock(mutex_);
        if (!started_ || stopRequested_ || hungUp_) {
            return false;
        }
        hangUpRequested_ = true;
    }
    Wake();
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kHangUpWait, [this] { return hungUp_; });
}

void InstrumentSimulator::SetSentLog(std::string path) {
    std::lock_guard lock(mutex_);
    sentLogPath_ = std::move(path);
}

void InstrumentSimulator::SetLinkPath(std::string path) {
    std::lock_guard lock(mutex_);
    linkPath_ = std::move(path);
}

bool InstrumentSimulator::Unplug() {
    {
        std::lock_guard lock(mutex_);
        if (!started_ || stopRequested_ || hungUp_ || unplugged_) {
            return false;
        }
        unplugRequested_ = true;
        replugAt_.reset();
    }
    Wake();
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kHangUpWait, [this] { return unplugged_; });
}

void InstrumentSimulator::Replug(std::chrono::milliseconds delay) {
    {
        std::lock_guard lock(mutex_);
        replugAt_ = Clock::now() + delay;
    }
    Wake();
}

bool InstrumentSimulator::IsPlugged() const {
    std::lock_guard lock(mutex_);
    return started_ && !stopRequested_ && !hungUp_ && !unplugged_ && !unplugRequested_;
}

bool InstrumentSimulator::WaitUntilPlugged(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] {
        return started_ && !stopRequested_ && !hungUp_ && !unplugged_ && !unplugRequested_;
    });
}

void InstrumentSimulator::DiscardUnreadReplies() {
    std::lock_guard lock(mutex_);
    output_.clear();
    lastScheduled_ = Clock::now();
    if (slaveFd_ >= 0) {
        tcflush(slaveFd_, TCIFLUSH);
    }
}

bool InstrumentSimulator::Transmit(Bytes bytes) {
    if (bytes.empty()) {
        return true;
    }
    {
        std::lock_guard lock(mutex_);
        if (!started_ || stopRequested_ || hungUp_ || unplugged_ || unplugRequested_) {
            return false;
        }
        const Clock::time_point due = std::max(Clock::now(), lastScheduled_);
        output_.push_back({due, std::move(bytes), 0, true});
        lastScheduled_ = due;
    }
    Wake();
    std::unique_lock lock(mutex_);
    auto gone = [this] { return hungUp_ || stopRequested_ || unplugged_; };
    changed_.wait_for(lock, kHangUpWait, [&] { return output_.empty() || gone(); });
    return output_.empty() && !gone();
}

// ---- Record ----

std::vector<ReceivedRequest> InstrumentSimulator::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

Bytes InstrumentSimulator::ReceivedBytes() const {
    std::lock_guard lock(mutex_);
    return receivedBytes_;
}

std::size_t InstrumentSimulator::RequestCount(RequestKind kind) const {
    std::lock_guard lock(mutex_);
    return requestCounts_[static_cast<std::size_t>(kind)];
}

void InstrumentSimulator::ClearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
    receivedBytes_.clear();
    requestCounts_.fill(0);
}

bool InstrumentSimulator::WaitForRequests(RequestKind kind, std::size_t count,
                                          std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(
        lock, timeout, [&] { return requestCounts_[static_cast<std::size_t>(kind)] >= count; });
}

}  // namespace sim
