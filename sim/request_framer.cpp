#include "sim/request_framer.h"

#include <algorithm>

namespace sim {

namespace {

constexpr char kTextTail[] = "?end";  // after the letter, or after the logger record number

std::optional<RequestKind> TextKind(std::uint8_t letter) {
    switch (letter) {
        case 'i':
            return RequestKind::Identification;
        case 'v':
            return RequestKind::Version;
        case 't':
            return RequestKind::Measurement;
        case 's':
            return RequestKind::SettingsRead;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::vector<FramedRequest> RequestFramer::Feed(const std::uint8_t* data, std::size_t count,
                                               Clock::time_point now) {
    if (count > 0) {
        buffer_.insert(buffer_.end(), data, data + count);
        lastByte_ = now;
    }
    return Parse(now);
}

std::vector<FramedRequest> RequestFramer::Idle(Clock::time_point now) {
    if (buffer_.empty()) {
        return {};
    }
    return Parse(now);
}

bool RequestFramer::ShortFramePending() const {
    return buffer_.size() >= kShortSettingsFrameSize && buffer_[0] == '0' && buffer_[1] == '1' &&
           buffer_[2] == 'm';
}

std::optional<RequestFramer::Clock::time_point> RequestFramer::Deadline() const {
    if (buffer_.empty()) {
        return std::nullopt;
    }
    return lastByte_ + (ShortFramePending() ? kShortFrameIdle : kStaleIdle);
}

std::vector<FramedRequest> RequestFramer::Parse(Clock::time_point now) {
    std::vector<FramedRequest> out;
    const bool idleShort = now - lastByte_ >= kShortFrameIdle;
    const bool stale = now - lastByte_ >= kStaleIdle;
    std::size_t pos = 0;  // bytes consumed or dropped

    auto emit = [&](RequestKind kind, std::size_t size) {
        const auto first = buffer_.begin() + static_cast<std::ptrdiff_t>(pos);
        out.push_back({kind, Bytes(first, first + static_cast<std::ptrdiff_t>(size))});
        pos += size;
    };

    while (pos < buffer_.size()) {
        const std::size_t avail = buffer_.size() - pos;
        const std::uint8_t* p = buffer_.data() + pos;

        // Every request starts with "01"; anything else is garbage.
        if (p[0] != '0' || (avail >= 2 && p[1] != '1')) {
            ++pos;
            continue;
        }
        if (avail < 3) {
            if (stale) {
                ++pos;
                continue;
            }
            break;
        }

        if (p[2] == 'm') {
            // Can this still be a 51-byte frame? Only while offsets 48.. match "end".
            bool trailerPossible = true;
            for (std::size_t k = 48; k < std::min(avail, kSettingsFrameSize); ++k) {
                trailerPossible = trailerPossible && p[k] == "end"[k - 48];
            }
            if (avail >= kSettingsFrameSize || (avail > 48 && !trailerPossible)) {
                emit(RequestKind::SettingsFrame,
                     trailerPossible ? kSettingsFrameSize : kShortSettingsFrameSize);
            } else if (avail >= kShortSettingsFrameSize && idleShort) {
                emit(RequestKind::SettingsFrame, kShortSettingsFrameSize);
            } else if (stale) {
                ++pos;
            } else {
                break;
            }
            continue;
        }

        std::optional<RequestKind> kind;
        std::size_t size = 0;
        std::size_t tailAt = 0;
        if (p[2] == 'r') {
            kind = RequestKind::LoggerRecord;
            size = kLoggerRequestSize;
            tailAt = 4;
        } else if ((kind = TextKind(p[2]))) {
            size = kTextRequestSize;
            tailAt = 3;
        } else {
            ++pos;
            continue;
        }

        // Check the "?end" tail as far as it has arrived, so that garbage is dropped at once.
        bool mismatch = false;
        for (std::size_t k = tailAt; k < std::min(avail, size); ++k) {
            if (p[k] != static_cast<std::uint8_t>(kTextTail[k - tailAt])) {
                mismatch = true;
                break;
            }
        }
        if (mismatch) {
            ++pos;
        } else if (avail >= size) {
            emit(*kind, size);
        } else if (stale) {
            ++pos;
        } else {
            break;
        }
    }

    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(pos));
    return out;
}

}  // namespace sim
