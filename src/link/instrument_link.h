#pragma once
// The one path to the instrument: the open port, the 68-byte command buffer and the
// 512-byte reply buffer. Every exchange (request, send, sleep, read, decode, clear) runs
// inside one Exchange, which holds the link's lock from start to end, whichever thread
// makes it, so two exchanges never interleave on the wire or in the buffers.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "link/serial_port.h"

constexpr std::size_t kCommandBufferSize = 68;
constexpr std::size_t kReplyBufferSize = 512;

using CommandBytes = std::array<std::uint8_t, kCommandBufferSize>;
using ReplyBytes = std::array<std::uint8_t, kReplyBufferSize>;

// What a send did. Anything but Sent behaves for the caller like a request that got no
// reply: the following ReadReply finds nothing.
enum class SendOutcome { Sent, NotOpen, GaveUp, PortGone };

class InstrumentLink;

// Holds the link's lock for one whole exchange. Obtained from InstrumentLink::BeginExchange.
class Exchange {
  public:
    Exchange(Exchange&&) = default;
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    CommandBytes& CommandBuffer();
    ReplyBytes& ReplyBuffer();

    // Opens the port named `path` (closing any open one); `why` gets the reason on failure,
    // `failure` what it was (serial_port.h).
    bool OpenInstrumentPort(const std::string& path, std::string* why,
                            PortOpenFailure* failure = nullptr);
    void CloseInstrumentPort();
    bool PortIsOpen() const;
    // The path the open port was opened by (empty when none is open).
    const std::string& PortPath() const;

    // Copies `text` and a terminating zero into CommandBuffer (text must fit).
    void PutTextCommand(std::string_view text);

    // Sends CommandBuffer up to, not including, its first zero byte.
    SendOutcome SendTextCommand();
    // Sends exactly `count` bytes from the start of CommandBuffer, zero bytes included.
    SendOutcome SendCount(std::size_t count);

    // Moves at most `maxLength` queued bytes into ReplyBuffer from position 0; the bytes
    // behind them keep what they held. False (buffer untouched) when nothing was queued.
    bool ReadReply(std::size_t maxLength = kReplyBufferSize);
    // How many bytes the last ReadReply of this exchange stored (0 when it returned false
    // or none was made), so a caller can tell a short reply from stale bytes behind it.
    std::size_t LastReadCount() const { return lastReadCount_; }

    // Zeroes both buffers.
    void ClearBuffers();
    void ClearReplyBuffer();

    // The text in ReplyBuffer up to its first zero byte, never past the buffer's end.
    std::string ReplyText() const;

    // Sleeps, waking early when the link shuts down; false if it did.
    bool Sleep(std::chrono::milliseconds duration);

    // True once the open port has been seen to hang up (device unplugged).
    bool PortGone() const;
    // For a loss seen by other means (the device node went away): every later send and read
    // finds the port gone, as after a hang-up.
    void MarkPortGone();

  private:
    friend class InstrumentLink;
    Exchange(InstrumentLink& link, std::unique_lock<std::mutex> lock);
    InstrumentLink* link_;
    std::unique_lock<std::mutex> lock_;
    std::size_t lastReadCount_ = 0;
};

class InstrumentLink {
  public:
    InstrumentLink() = default;
    InstrumentLink(const InstrumentLink&) = delete;
    InstrumentLink& operator=(const InstrumentLink&) = delete;

    // Blocks until no other exchange runs, then holds the lock until the Exchange ends.
    Exchange BeginExchange();

    // Wakes every Sleep and every wait of a network port at once, and makes later ones
    // return at once. Lock-free: safe from any thread while an exchange is running.
    void Shutdown();
    bool ShuttingDown() const { return shutdown_.load(); }

    // A pause between exchanges, without the lock, so other exchanges can run meanwhile.
    // Wakes early at shutdown; false if it did.
    bool Pause(std::chrono::milliseconds duration) { return SleepFor(duration); }

    // Whether a port is open and has not hung up, for callers that refuse to start an
    // exchange without one. Does not wait for a running exchange.
    bool PortIsOpen() const { return usable_.load(); }

    // Before the first exchange: see SerialPort::SetNoticeHandler.
    void SetNoticeHandler(PortNoticeHandler handler) { port_.SetNoticeHandler(std::move(handler)); }

  private:
    friend class Exchange;
    bool SleepFor(std::chrono::milliseconds duration);
    void MarkGone();

    std::mutex exchangeMutex_;
    SerialPort port_;
    std::string portPath_;
    bool portGone_ = false;
    std::atomic<bool> usable_{false};
    CommandBytes command_{};
    ReplyBytes reply_{};

    std::atomic<bool> shutdown_{false};
    std::mutex sleepMutex_;
    std::condition_variable sleepWake_;
};
