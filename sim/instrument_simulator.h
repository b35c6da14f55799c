#pragma once
// The instrument on the master side of a pseudo-terminal. A client opens SlavePath() as it
// would open a serial port; a service thread frames what the client sends into requests,
// records them, and answers each from the instrument's state, subject to the fault modes.
// Every public function is thread-safe. Standard library and POSIX only.
//
//   sim::InstrumentSimulator sim;
//   std::string why;
//   if (!sim.Start(&why)) FAIL() << why;
//   OpenPort(sim.SlavePath());                     // the client's own termios code
//   sim.WaitForRequests(sim::RequestKind::Measurement, 1, 1s);
//
// Fault modes stay until changed. Those that take `answers` affect that many of the next
// answers and then end by themselves (kEvery: until changed; 0: off now). An answer counts
// for a fault when the fault was applied to it; silent answers are not sent at all, so
// they do not count for the other faults.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/instrument_state.h"
#include "sim/protocol.h"
#include "sim/request_framer.h"

namespace sim {

struct ReceivedRequest {
    RequestKind kind;
    Bytes bytes;  // exactly as received
    std::chrono::steady_clock::time_point receivedAt;
};

class InstrumentSimulator {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kEvery = -1;

    InstrumentSimulator();
    // Stops the service thread and closes the pseudo-terminal.
    ~InstrumentSimulator();
    InstrumentSimulator(const InstrumentSimulator&) = delete;
    InstrumentSimulator& operator=(const InstrumentSimulator&) = delete;

    // Opens the pseudo-terminal and starts the service thread; on failure puts the reason
    // into `why` (when given). Once only.
    bool Start(std::string* why);
    // Stops the service thread and closes everything; replies not yet sent are dropped.
    void Stop();
    // The path a client opens (/dev/pts/N); empty before Start.
    std::string SlavePath() const;
    // Started, not stopped and not hung up.
    bool IsRunning() const;
    // Writes every byte sent to the client into `path` as it goes to the terminal, one
    // write a line: "A HEX" where an answer (or bytes sent unasked) begins, "+ HEX" for the
    // rest of one (a split's later part, what a full terminal took later). Bytes dropped
    // before they were written (an unplug) are not there; bytes written and then lost
    // unread are, because they were sent. Call before Start; Start fails when it cannot be
    // created.
    void SetSentLog(std::string path);
    // Makes `path` a symbolic link to the terminal at Start, removes it at an unplug, makes
    // it again to the new terminal at a replug and removes it at Stop, as the system keeps a
    // stable device name for a real adapter. Call before Start.
    void SetLinkPath(std::string path);

    // ---- The instrument's state ----
    // The identification reply: the text's bytes, no zero byte ("KRT-10" by default; e.g.
    // "KRT-10\r\n" for a line-ended reply). An empty text gives no reply.
    void SetIdentification(std::string text);
    std::string Identification() const;
    // Version reply bytes 5..8: version, revision, serial high, serial low (1, 2, 300).
    void SetVersion(std::uint8_t version, std::uint8_t revision, std::uint16_t serial);
    // Every measurement reply is `bytes` until ClearFixedMeasurement.
    void SetFixedMeasurement(const MeasurementReply& bytes);
    void ClearFixedMeasurement();
    // The dew point: wandering around 9.5 °C by default (and after ClearDewPointCourse);
    // held at `celsius` from now and moving `perHour` degrees an hour after HoldDewPoint
    // (°C, clamped to -100..100), each reading then the course's value to the hundredth.
    void HoldDewPoint(double celsius, double perHour = 0.0);
    // Moves the dew point `perHour` degrees an hour from the value it has now (the course's,
    // or the centre of its wandering).
    void DriftDewPoint(double perHour);
    void ClearDewPointCourse();
    std::optional<DewPointCourse> GetDewPointCourse() const;
    void SetDewPointCourse(std::optional<DewPointCourse> course);
    // The 49-byte settings reply; a received settings frame updates it.
    SettingsReply Settings() const;
    void SetSettings(const SettingsReply& settings);
    // The last settings frame received, exactly as received (empty before the first).
    Bytes LastSettingsFrame() const;
    // The 11-byte logger records, 0..255.
    LoggerRecordReply LoggerRecord(std::uint8_t number) const;
    void SetLoggerRecord(std::uint8_t number, const LoggerRecordReply& record);
    // The answer to a settings frame: "OK" by default; none when `answer` is empty.
    void SetSettingsFrameAnswer(std::optional<Bytes> answer);

    // ---- Fault modes ----
    // Silent: requests are recorded (and a settings frame still applied) but not answered.
    void SetSilent(int answers = kEvery);
    // Slow: each answer is sent `delay` after its request arrived (0 ms: off).
    void SetSlow(std::chrono::milliseconds delay, int answers = kEvery);
    // Split: the first `firstPart` bytes, then `gap`, then the rest (firstPart 0: off).
    void SetSplit(std::size_t firstPart, std::chrono::milliseconds gap, int answers = kEvery);
    // Over-long: the answer padded with `filler` to `totalLength` bytes (0: off).
    void SetOverLong(std::size_t totalLength, int answers = kEvery, std::uint8_t filler = 0xAA);
    // Short: the answer cut to its first `length` bytes (0: off; answers no longer than
    // that are sent whole).
    void SetShort(std::size_t length, int answers = kEvery);
    // One-shot: the next request of `kind` is answered with exactly `bytes` (none if empty)
    // instead of the state's answer; several queue up in order. The other faults still apply.
    void QueueReply(RequestKind kind, Bytes bytes);
    // Ends silent, slow, split, over-long and short, drops queued one-shot replies and restores the
    // "OK" answer to settings frames.
    void ClearFaults();
    // Closes the master now: the client's reads give EIO or end of file, poll gives
    // POLLHUP. Final: the simulator does not answer again. False if it was not running.
    bool HangUp();
    // Unplugs the instrument: the master closes now (the client sees a hang-up, as when a
    // USB adapter is pulled) until Replug. Requests, state and fault modes are kept. False
    // if it was not running and plugged in.
    bool Unplug();
    // Plugs it in again `delay` from now on a new pseudo-terminal: SlavePath() changes and
    // the link path, if any, follows. Replaces a replug already due.
    void Replug(std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    bool IsPlugged() const;
    // Waits until the instrument is plugged in; false on timeout.
    bool WaitUntilPlugged(std::chrono::milliseconds timeout) const;
    // Drops replies that are scheduled but not yet sent, and the bytes sent but not yet
    // read by a client (the slave's input queue, as a real port's driver discards on close).
    void DiscardUnreadReplies();
    // The instrument sends `bytes` now, unasked, behind any answer still due (a test playing
    // the wire by hand; counts as an answer). Returns once they are written to the master;
    // false when it is not running and plugged in, or they could not be written.
    bool Transmit(Bytes bytes);

    // ---- What was received ----
    // The requests received since Start or ClearRequests, in order (past 100 000 the
    // oldest are dropped, so a long standalone run stays bounded; counts are kept).
    std::vector<ReceivedRequest> Requests() const;
    // Every byte received since Start or ClearRequests, garbage included (the last MiB).
    Bytes ReceivedBytes() const;
    std::size_t RequestCount(RequestKind kind) const;
    void ClearRequests();
    // Waits until at least `count` requests of `kind` have been recorded; false on timeout.
    bool WaitForRequests(RequestKind kind, std::size_t count,
                         std::chrono::milliseconds timeout) const;
    // How many bytes sent to the client wait unread at its end of the terminal (0 when not
    // plugged in): a test waits for them instead of for a while.
    std::size_t UnreadByClient() const;
    // How often the service thread has woken up since Start: one that waits for its work
    // wakes a few times a second when nothing happens, one that spins thousands of times.
    std::uint64_t ServiceWakeUps() const;

  private:
    struct CountedFault {
        int remaining = 0;  // kEvery, 0 (off) or how many answers are left
        bool Active() const { return remaining != 0; }
        void Use() {
            if (remaining > 0) {
                --remaining;
            }
        }
    };
    struct Chunk {
        Clock::time_point due;
        Bytes bytes;
        std::size_t written = 0;
        bool lastOfAnswer = false;
        bool firstOfAnswer = true;
    };

    void Run(int wakeFd);
    double SecondsSinceStartLocked() const;
    bool OpenTerminalLocked(std::string* why);
    // Unplugs and replugs as asked; service thread, under mutex_. The master to serve (-1
    // while unplugged).
    int FollowPlugLocked(Clock::time_point now);
    void Record(const std::uint8_t* data, std::size_t count);
    void HandleRequest(const FramedRequest& request, Clock::time_point now);
    void WriteDueOutput(int masterFd, bool* waitingForRoom);
    void LogSentLocked(const Chunk& chunk, const std::uint8_t* data, std::size_t count);
    void Wake();
    void CloseFdsLocked();

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;

    // Descriptors: written by Start and, under mutex_, closed by the service thread or Stop.
    int masterFd_ = -1;
    int slaveFd_ = -1;  // the simulator's own, so the master never sees a hang-up
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::string slavePath_;
    std::thread thread_;
    bool started_ = false;
    bool stopRequested_ = false;
    bool hangUpRequested_ = false;
    bool hungUp_ = false;
    bool unplugRequested_ = false;
    bool unplugged_ = false;
    std::optional<Clock::time_point> replugAt_;
    std::string linkPath_;
    std::string sentLogPath_;
    std::FILE* sentLog_ = nullptr;
    Clock::time_point startTime_{};

    InstrumentState state_;
    CountedFault silent_;
    CountedFault slow_;
    std::chrono::milliseconds slowDelay_{0};
    CountedFault split_;
    std::size_t splitFirstPart_ = 0;
    std::chrono::milliseconds splitGap_{0};
    CountedFault overLong_;
    std::size_t overLongLength_ = 0;
    std::uint8_t overLongFiller_ = 0xAA;
    CountedFault short_;
    std::size_t shortLength_ = 0;
    std::map<RequestKind, std::deque<Bytes>> queuedReplies_;

    std::deque<Chunk> output_;
    Clock::time_point lastScheduled_{};

    std::vector<ReceivedRequest> requests_;
    std::array<std::size_t, kRequestKindCount> requestCounts_{};
    Bytes receivedBytes_;

    RequestFramer framer_;  // service thread only
    std::atomic<std::uint64_t> wakeUps_{0};
};

}  // namespace sim
