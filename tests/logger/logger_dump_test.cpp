// The dump loop over a bare pseudo-terminal whose instrument never answers: every record
// is requested in order and written as zeros, and each way of stopping early.
#include "logger/logger_dump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/link_on_pty.h"
#include "link/instrument_link.h"
#include "logger/logger_record.h"

using namespace std::chrono_literals;

namespace {

std::vector<std::uint8_t> RequestsFor(int count) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < count; ++i) {
        const auto request = LoggerRequestBytes(static_cast<std::uint8_t>(i));
        bytes.insert(bytes.end(), request.begin(), request.end());
    }
    return bytes;
}

// A link on its own pseudo-terminal, and what a dump over it wrote and sent.
struct DumpRig : LinkOnPty {
    DumpRig() {
        std::string why;
        opened = Open(&why);
    }

    // `atPosition` runs with each progress call after the bytes sent so far are collected;
    // the write of line `failLine` fails with ENOSPC.
    LoggerDumpResult Dump(const std::function<void(int)>& atPosition, int failLine = -1) {
        const LoggerDumpResult result = DumpLoggerRecords(
            link,
            [&](const QByteArray& line) {
                if (static_cast<int>(lines.size()) == failLine) {
                    return ENOSPC;
                }
                lines.push_back(line);
                return 0;
            },
            [&](int number) {
                positions.push_back(number);
                Collect(0);  // also keeps the pseudo-terminal's buffer from filling
                atPosition(number);
            },
            stop, 1ms);
        return result;
    }

    void Collect(int quietMs) {
        if (!hungUp) {
            const auto more = pty.ReadAll(quietMs);
            sent.insert(sent.end(), more.begin(), more.end());
        }
    }

    // Reads until `count` bytes sent by the link have arrived in all (the bytes cross the
    // pseudo-terminal after the link's write returns), or ten seconds have passed; then
    // whatever else has arrived by then, so a byte too many shows.
    void CollectUntil(std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!hungUp && sent.size() < count && std::chrono::steady_clock::now() < deadline) {
            Collect(10);
        }
        Collect(0);
    }

    bool opened = false;
    bool hungUp = false;
    std::atomic<bool> stop{false};
    std::vector<QByteArray> lines;
    std::vector<int> positions;
    std::vector<std::uint8_t> sent;
};

TEST(DumpLoggerRecords, SilentInstrumentGivesAllRecordsInOrderAsZeros) {
    DumpRig rig;
    ASSERT_TRUE(rig.opened);
    const LoggerDumpResult result = rig.Dump([](int) {});
    rig.CollectUntil(RequestsFor(256).size());

    EXPECT_EQ(result.end, LoggerDumpResult::End::Complete);
    EXPECT_EQ(result.linesWritten, 256);
    EXPECT_EQ(rig.sent, RequestsFor(256));
    ASSERT_EQ(rig.lines.size(), 256u);
    ASSERT_EQ(rig.positions.size(), 256u);
    EXPECT_EQ(rig.lines[0], "0\t200-0-0\t0:0:0\t0\t0\t0\t0\r\n");
    EXPECT_EQ(rig.lines[255], "255\t200-0-0\t0:0:0\t0\t0\t0\t0\r\n");
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rig.lines[i], LoggerDumpLine(i, LoggerRecord{}));
        EXPECT_EQ(rig.positions[i], i);
    }
}

enum class Cause { WriteFails, HangUp, StopFlag, Shutdown };

struct StopCase {
    const char* name;
    Cause cause;
    int at;  // the record at which it strikes
    LoggerDumpResult::End end;
    int fileError;
    int requests;  // requests sent in all
};

TEST(DumpLoggerRecords, StopsEarlyKeepingTheLinesBefore) {
    using End = LoggerDumpResult::End;
    const StopCase cases[] = {
        {"write of line 5 fails", Cause::WriteFails, 5, End::FileError, ENOSPC, 6},
        {"port hangs up before record 5", Cause::HangUp, 5, End::PortGone, 0, 5},
        {"port hangs up before record 0", Cause::HangUp, 0, End::PortGone, 0, 0},
        {"asked to stop at record 5", Cause::StopFlag, 5, End::Stopped, 0, 5},
        {"link shuts down at record 5", Cause::Shutdown, 5, End::Stopped, 0, 5},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        DumpRig rig;
        ASSERT_TRUE(rig.opened);
        const LoggerDumpResult result = rig.Dump(
            [&](int number) {
                if (number != c.at) {
                    return;
                }
                switch (c.cause) {
                    case Cause::WriteFails:
                        break;
                    case Cause::HangUp:
                        // The requests sent so far reach this end before it goes away.
                        rig.CollectUntil(RequestsFor(number).size());
                        rig.pty.CloseMaster();
                        rig.hungUp = true;
                        break;
                    case Cause::StopFlag:
                        rig.stop.store(true);
                        break;
                    case Cause::Shutdown:
                        rig.link.Shutdown();
                        break;
                }
            },
            c.cause == Cause::WriteFails ? c.at : -1);
        rig.CollectUntil(RequestsFor(c.requests).size());

        EXPECT_EQ(result.end, c.end);
        EXPECT_EQ(result.fileError, c.fileError);
        EXPECT_EQ(result.linesWritten, c.at);
        EXPECT_EQ(rig.sent, RequestsFor(c.requests));
        ASSERT_EQ(static_cast<int>(rig.lines.size()), c.at);
        for (int i = 0; i < c.at; ++i) {
            EXPECT_EQ(rig.lines[i], LoggerDumpLine(i, LoggerRecord{}));
        }
    }
}

}  // namespace
