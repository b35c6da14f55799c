// The simulator's framing of the received byte stream, on bytes alone.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "sim/request_framer.h"

namespace sim {
namespace {

using namespace std::chrono_literals;
using Clock = RequestFramer::Clock;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Frame51(std::uint8_t fill) {
    Bytes frame = ToBytes("01m");
    frame.resize(48, fill);
    frame.insert(frame.end(), {'e', 'n', 'd'});
    return frame;
}

Bytes Frame42(std::uint8_t fill) {
    Bytes frame = Frame51(fill);
    frame.resize(kShortSettingsFrameSize);
    return frame;
}

struct Expected {
    RequestKind kind;
    Bytes bytes;
};

struct FramerCase {
    std::string name;
    std::vector<Bytes> chunks;            // fed one after another, 1 ms apart
    std::chrono::milliseconds idleAfter;  // then Idle() this long after the last byte
    std::vector<Expected> expected;
    std::size_t pendingAfter;
};

TEST(RequestFramer, CutsTheStreamIntoRequests) {
    const Bytes id = TextRequest('i');
    const Bytes version = TextRequest('v');
    const Bytes measure = TextRequest('t');
    const Bytes settings = TextRequest('s');
    const Bytes logger0 = LoggerRequest(0);
    const Bytes logger255 = LoggerRequest(255);
    const Bytes frame51 = Frame51(0);
    const Bytes frame42 = Frame42(7);

    const std::vector<FramerCase> cases = {
        {"each text request",
         {id, version, measure, settings},
         0ms,
         {{RequestKind::Identification, id},
          {RequestKind::Version, version},
          {RequestKind::Measurement, measure},
          {RequestKind::SettingsRead, settings}},
         0},
        {"logger requests, record 0 and 255, in one chunk",
         {Concat({logger0, logger255})},
         0ms,
         {{RequestKind::LoggerRecord, logger0}, {RequestKind::LoggerRecord, logger255}},
         0},
        {"51-byte settings frame with zero value bytes",
         {frame51},
         0ms,
         {{RequestKind::SettingsFrame, frame51}},
         0},
        {"42-byte frame taken after 50 ms of quiet",
         {frame42},
         50ms,
         {{RequestKind::SettingsFrame, frame42}},
         0},
        {"42-byte frame waits while not yet quiet", {frame42}, 10ms, {}, 42},
        {"42-byte frame followed at once by a request",
         {Concat({frame42, measure})},
         0ms,
         {{RequestKind::SettingsFrame, frame42}, {RequestKind::Measurement, measure}},
         0},
        {"42-byte frame followed by a logger request and a frame",
         {Concat({frame42, logger0, frame51})},
         0ms,
         {{RequestKind::SettingsFrame, frame42},
          {RequestKind::LoggerRecord, logger0},
          {RequestKind::SettingsFrame, frame51}},
         0},
        {"51-byte frame arriving in two parts",
         {Bytes(frame51.begin(), frame51.begin() + 49), Bytes(frame51.begin() + 49, frame51.end())},
         0ms,
         {{RequestKind::SettingsFrame, frame51}},
         0},
        {"garbage before and between",
         {ToBytes("xx0"), Concat({id, ToBytes("\r\n1")}), measure},
         0ms,
         {{RequestKind::Identification, id}, {RequestKind::Measurement, measure}},
         0},
        {"broken request dropped at its first wrong byte",
         {ToBytes("01t?en"), settings},
         0ms,
         {{RequestKind::SettingsRead, settings}},
         0},
        {"unknown command letter",
         {Concat({ToBytes("01x?end01"), version})},
         0ms,
         {{RequestKind::Version, version}},
         0},
        {"a request byte by byte",
         {{'0'}, {'1'}, {'r'}, {0}, {'?'}, {'e'}, {'n'}, {'d'}},
         0ms,
         {{RequestKind::LoggerRecord, logger0}},
         0},
        {"partial request waits", {ToBytes("01t?e")}, 100ms, {}, 5},
        {"stale partial request dropped", {ToBytes("01m"), Bytes(10, 0)}, 300ms, {}, 0},
    };

    for (const FramerCase& c : cases) {
        SCOPED_TRACE(c.name);
        RequestFramer framer;
        auto now = Clock::time_point{} + 1h;
        std::vector<FramedRequest> got;
        for (const Bytes& chunk : c.chunks) {
            now += 1ms;
            for (auto& r : framer.Feed(chunk.data(), chunk.size(), now))
                got.push_back(r);
        }
        for (auto& r : framer.Idle(now + c.idleAfter))
            got.push_back(r);

        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].kind, c.expected[i].kind) << i;
            EXPECT_EQ(got[i].bytes, c.expected[i].bytes) << i;
        }
        EXPECT_EQ(framer.PendingBytes(), c.pendingAfter);
    }
}

TEST(RequestFramer, DeadlineIsShortOnlyForAPossible42ByteFrame) {
    RequestFramer framer;
    const auto t0 = Clock::time_point{} + 1h;
    EXPECT_FALSE(framer.Deadline().has_value());

    const Bytes partial = ToBytes("01t");
    framer.Feed(partial.data(), partial.size(), t0);
    EXPECT_EQ(framer.Deadline(), t0 + RequestFramer::kStaleIdle);

    RequestFramer frameFramer;
    const Bytes frame = Frame42(1);
    frameFramer.Feed(frame.data(), frame.size(), t0);
    EXPECT_EQ(frameFramer.Deadline(), t0 + RequestFramer::kShortFrameIdle);
}

}  // namespace
}  // namespace sim
