#pragma once
// Cuts the byte stream the instrument receives into requests. A request starts with "01";
// bytes that cannot start or continue one are dropped, and framing starts again at the next
// "01". The settings frame is 51 bytes ending in "end"; it is taken as the 42-byte variant
// when its offsets 48.. are not "end" (a request following a 42-byte frame), or when 42 to 50
// bytes came and nothing more for kShortFrameIdle. A partial request that
// gets no more bytes for kStaleIdle is dropped the same way as garbage.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/protocol.h"

namespace sim {

struct FramedRequest {
    RequestKind kind;
    Bytes bytes;  // exactly as received
};

class RequestFramer {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kShortFrameIdle{50};
    static constexpr std::chrono::milliseconds kStaleIdle{300};

    // Adds received bytes; returns the requests they complete, in order.
    std::vector<FramedRequest> Feed(const std::uint8_t* data, std::size_t count,
                                    Clock::time_point now);
    // To be called when no bytes came: completes a 42-byte settings frame, or drops a stale
    // partial request, once its idle time has passed.
    std::vector<FramedRequest> Idle(Clock::time_point now);
    // When Idle has something to decide, if anything is pending.
    std::optional<Clock::time_point> Deadline() const;
    // Bytes held that do not form a complete request yet.
    std::size_t PendingBytes() const { return buffer_.size(); }

  private:
    std::vector<FramedRequest> Parse(Clock::time_point now);
    bool ShortFramePending() const;

    Bytes buffer_;
    Clock::time_point lastByte_{};
};

}  // namespace sim
