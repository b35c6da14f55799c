#pragma once
// The lines a log could not write yet (a full disk, a write error, a directory that went
// away), kept in memory in the order of their samples and written, in that order and ahead
// of the newest, as soon as the file takes them again. Each line is formatted once, at its
// sample, so a line written late is the line it would have been. The lines kept are bounded:
// past the bound the oldest are dropped and counted. Holds no file: the writing is handed in,
// so the file can be made to fail at will.
//
// A line the file took only in part is not written again from its start: the rest follows
// when the file takes bytes again, so the file never holds a line twice or a line cut in two
// followed by another. When the file has been started anew, the line goes into it whole.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

// A week of samples at one a second.
inline constexpr std::size_t kHeldLinesBound = 7 * 24 * 3600;

class HeldLines {
  public:
    struct Written {
        int error = 0;             // the error code of the failing write, 0 when none failed
        std::size_t accepted = 0;  // bytes the file took before the failure, all without one
    };
    // Writes `size` bytes behind what the file holds.
    using Write = std::function<Written(const char* data, std::size_t size)>;

    struct Result {
        int error = 0;                // why the lines still held were not written; 0: none held
        std::size_t writtenLate = 0;  // lines held before this call that went in with it
        std::size_t dropped = 0;      // lines dropped by this call, the oldest, past the bound
        // The sample of the first line this call began in the file, if it began one.
        std::optional<std::int32_t> firstSample;
    };

    explicit HeldLines(std::size_t bound = kHeldLinesBound);

    // Puts `line` of sample `sample` behind the lines held and writes them all through
    // `write`, in order, up to the first failure. `freshFile`: the file was started anew
    // since the last call, so a line begun in the old one is written whole.
    Result Add(std::int32_t sample, QByteArray line, const Write& write, bool freshFile = false);
    // The same without a new line: the last try before the log is closed.
    Result Retry(const Write& write, bool freshFile = false);

    std::size_t Held() const { return lines_.size(); }
    std::uint64_t DroppedTotal() const { return droppedTotal_; }

  private:
    struct Line {
        std::int32_t sample;
        QByteArray text;
    };
    Result WriteHeld(const Write& write, bool freshFile, std::size_t late);

    std::size_t bound_;
    std::deque<Line> lines_;
    // Bytes of the first held line already in the file.
    std::size_t frontWritten_ = 0;
    std::uint64_t droppedTotal_ = 0;
};

namespace files {
class OutputFile;
}

// What one write of a log did, as its writer tells it.
struct LogWriteResult {
    // Why lines are held: the error code of the failed open or write; 0 when nothing is held.
    int error = 0;
    // The file had gone (deleted, or renamed away) and was started again under its name.
    bool restarted = false;
    // With `restarted`: the sample of the first line in the new file.
    std::int32_t restartedAt = 0;
    std::size_t writtenLate = 0;     // held lines that went in now, before the newest
    std::size_t droppedNow = 0;      // held lines dropped now, past the bound
    std::size_t held = 0;            // lines held after this write
    std::uint64_t droppedTotal = 0;  // lines dropped since the log was made
};

// A HeldLines::Write into `file`, or one that fails with `openError` when the file could not
// be opened.
HeldLines::Write WriteInto(files::OutputFile& file, int openError);
// The result of a HeldLines call as a log tells it; `restartPending`: the log's file was
// started anew and no line has gone into it yet, cleared once one has.
LogWriteResult LogWriteResultOf(const HeldLines& held, const HeldLines::Result& result,
                                bool& restartPending);
