#include "link/instrument_link.h"

#include <algorithm>
#include <cstring>

namespace {

// A failed transmit-empty wait sends the request again; after this many tries the send
// gives up and the exchange goes on as if nothing had been answered.
constexpr int kSendAttempts = 3;

// Time the line needs for `count` bytes plus slack for the driver and a USB adapter's
// latency.
int DrainDeadlineMs(std::size_t count) {
    return static_cast<int>(count * 1000 / kLineBytesPerSecond) + 200;
}

}  // namespace

Exchange::Exchange(InstrumentLink& link, std::unique_lock<std::mutex> lock)
    : link_(&link), lock_(std::move(lock)) {}

CommandBytes& Exchange::CommandBuffer() {
    return link_->command_;
}
ReplyBytes& Exchange::ReplyBuffer() {
    return link_->reply_;
}

bool Exchange::OpenInstrumentPort(const std::string& path, std::string* why,
                                  PortOpenFailure* failure) {
    link_->portGone_ = false;
    const bool opened = link_->port_.Open(path, why, failure);
    link_->portPath_ = opened ? path : std::string();
    link_->usable_.store(opened);
    return opened;
}

void Exchange::CloseInstrumentPort() {
    link_->port_.Close();
    link_->portPath_.clear();
    link_->portGone_ = false;
    link_->usable_.store(false);
}

bool Exchange::PortIsOpen() const {
    return link_->port_.IsOpen();
}

const std::string& Exchange::PortPath() const {
    return link_->portPath_;
}

void Exchange::PutTextCommand(std::string_view text) {
    const std::size_t n = std::min(text.size(), kCommandBufferSize - 1);
    std::memcpy(link_->command_.data(), text.data(), n);
    link_->command_[n] = 0;
}

SendOutcome Exchange::SendTextCommand() {
    const auto& cmd = link_->command_;
    const auto zero = std::find(cmd.begin(), cmd.end(), std::uint8_t{0});
    return SendCount(static_cast<std::size_t>(zero - cmd.begin()));
}

SendOutcome Exchange::SendCount(std::size_t count) {
    count = std::min(count, kCommandBufferSize);
    if (!link_->port_.IsOpen()) {
        return SendOutcome::NotOpen;
    }
    if (link_->portGone_) {
        return SendOutcome::PortGone;
    }
    for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
        switch (link_->port_.WriteAndDrain(link_->command_.data(), count, DrainDeadlineMs(count))) {
            case PortIo::Ok:
                return SendOutcome::Sent;
            case PortIo::Gone:
                link_->MarkGone();
                return SendOutcome::PortGone;
            case PortIo::TimedOut:
                if (link_->ShuttingDown()) {
                    return SendOutcome::GaveUp;
                }
                break;
        }
    }
    return SendOutcome::GaveUp;
}

bool Exchange::ReadReply(std::size_t maxLength) {
    lastReadCount_ = 0;
    SerialPort& port = link_->port_;
    if (!port.IsOpen() || link_->portGone_) {
        return false;
    }
    const std::size_t waiting = port.BytesWaiting();
    if (waiting == 0) {
        if (port.HasHungUp()) {
            link_->MarkGone();
        }
        return false;
    }
    const std::size_t want = std::min({waiting, maxLength, kReplyBufferSize});
    lastReadCount_ = port.ReadAvailable(link_->reply_.data(), want);
    return lastReadCount_ > 0;
}

void Exchange::ClearBuffers() {
    link_->command_.fill(0);
    link_->reply_.fill(0);
}

void Exchange::ClearReplyBuffer() {
    link_->reply_.fill(0);
}

std::string Exchange::ReplyText() const {
    const auto& reply = link_->reply_;
    const auto zero = std::find(reply.begin(), reply.end(), std::uint8_t{0});
    return std::string(reply.begin(), zero);
}

bool Exchange::Sleep(std::chrono::milliseconds duration) {
    return link_->SleepFor(duration);
}

bool Exchange::PortGone() const {
    return link_->portGone_;
}

void Exchange::MarkPortGone() {
    if (link_->port_.IsOpen()) {
        link_->MarkGone();
    }
}

Exchange InstrumentLink::BeginExchange() {
    return Exchange(*this, std::unique_lock<std::mutex>(exchangeMutex_));
}

void InstrumentLink::Shutdown() {
    {
        std::lock_guard<std::mutex> lock(sleepMutex_);
        shutdown_.store(true);
    }
    sleepWake_.notify_all();
    port_.Interrupt();
}

void InstrumentLink::MarkGone() {
    portGone_ = true;
    usable_.store(false);
}

bool InstrumentLink::SleepFor(std::chrono::milliseconds duration) {
    std::unique_lock<std::mutex> lock(sleepMutex_);
    return !sleepWake_.wait_for(lock, duration, [this] { return shutdown_.load(); });
}
