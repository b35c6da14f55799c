#pragma once
// What the instrument understands: its requests, how long it is given to answer each, and
// the sizes of its replies, with the one way every request is made: send, wait, read.
// The link below knows only bytes, buffers and the lock.

#include <chrono>
#include <cstddef>
#include <string_view>

#include "link/instrument_link.h"

inline constexpr std::string_view kIdentificationRequest = "01i?end";
inline constexpr std::string_view kVersionRequest = "01v?end";
inline constexpr std::string_view kMeasurementRequest = "01t?end";
inline constexpr std::string_view kSettingsRequest = "01s?end";
// The logger request: its fourth byte is replaced by the record number.
inline constexpr std::string_view kLoggerRequestTemplate = "01ra?end";

// Requests sent by count, zero bytes included: the settings frame is laid out in full
// ("01m", 45 value bytes, "end") and sent whole; the logger request is "01r", the record
// number, "?end".
inline constexpr std::size_t kSettingsFrameSize = 51;
inline constexpr std::size_t kLoggerRequestSize = 8;
static_assert(kSettingsFrameSize <= kCommandBufferSize && kLoggerRequestSize <= kCommandBufferSize,
              "every request fits the command buffer");

inline constexpr std::size_t kMeasurementReplySize = 32;
inline constexpr std::size_t kSettingsReplySize = 49;
inline constexpr std::size_t kLoggerReplySize = 11;
// The internal logger's records, numbered from 0.
inline constexpr int kLoggerRecordCount = 256;

// How long the instrument is given to answer each request before its reply is read, and the
// pause between two polls. Fixed by the instrument; tests of the session's logic may shorten
// them.
struct ProtocolWaits {
    std::chrono::milliseconds identification{200};
    std::chrono::milliseconds version{300};
    std::chrono::milliseconds measurement{500};
    std::chrono::milliseconds pollPause{500};
    std::chrono::milliseconds settingsRead{300};
    std::chrono::milliseconds settingsAck{100};
    std::chrono::milliseconds loggerRecord{300};
    std::chrono::milliseconds loggerDumpRecord{100};
};
inline constexpr ProtocolWaits kInstrumentWaits{};

// How one request ended.
enum class RequestOutcome {
    Replied,      // bytes came; Exchange::LastReadCount() says how many
    NoReply,      // sent (or the send gave up), and nothing had come after the wait
    PortGone,     // no open port, or it has hung up: nothing was or will be received
    Interrupted,  // the link shut down during the wait: nothing was read
};

enum class RequestShape {
    Text,           // CommandBuffer up to its first zero byte
    SettingsFrame,  // kSettingsFrameSize bytes
    LoggerRequest,  // kLoggerRequestSize bytes
};

// Sends what the caller laid out in CommandBuffer; only when the bytes went out, sleeps
// `wait` and reads at most kReplyBufferSize queued bytes into ReplyBuffer. A send that gave
// up is taken as a request without a reply, a port that is gone as the end of the link.
// `clearAfterSend` zeroes both buffers between the send and the wait, for requests whose
// reply must not be read over older bytes.
RequestOutcome SendWaitRead(Exchange& exchange, RequestShape shape, std::chrono::milliseconds wait,
                            bool clearAfterSend = false);
