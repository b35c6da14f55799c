#include "measure/held_lines.h"

#include "files/output_file.h"

#include <algorithm>
#include <utility>

HeldLines::HeldLines(std::size_t bound) : bound_(std::max<std::size_t>(bound, 2)) {}

HeldLines::Result HeldLines::Add(std::int32_t sample, QByteArray line, const Write& write,
                                 bool freshFile) {
    std::size_t dropped = 0;
    if (lines_.size() >= bound_) {
        // A line begun in the file stays until its rest is written, so the file never holds
        // a part of a line followed by another line.
        const auto oldest = frontWritten_ > 0 ? lines_.begin() + 1 : lines_.begin();
        lines_.erase(oldest);
        ++dropped;
        ++droppedTotal_;
    }
    const std::size_t late = lines_.size();
    lines_.push_back({sample, std::move(line)});
    Result result = WriteHeld(write, freshFile, late);
    result.dropped = dropped;
    return result;
}

HeldLines::Result HeldLines::Retry(const Write& write, bool freshFile) {
    return WriteHeld(write, freshFile, lines_.size());
}

HeldLines::Result HeldLines::WriteHeld(const Write& write, bool freshFile, std::size_t late) {
    Result result;
    if (freshFile) {
        frontWritten_ = 0;
    }
    std::size_t written = 0;
    while (!lines_.empty()) {
        const Line& front = lines_.front();
        const std::size_t size = static_cast<std::size_t>(front.text.size());
        const Written w =
            write(front.text.constData() + frontWritten_, size - std::min(frontWritten_, size));
        if (frontWritten_ == 0 && (w.accepted > 0 || w.error == 0) && !result.firstSample) {
            result.firstSample = front.sample;
        }
        if (w.error != 0) {
            frontWritten_ += std::min(w.accepted, size - frontWritten_);
            result.error = w.error;
            break;
        }
        lines_.pop_front();
        frontWritten_ = 0;
        ++written;
    }
    result.writtenLate = std::min(written, late);
    return result;
}

HeldLines::Write WriteInto(files::OutputFile& file, int openError) {
    if (openError != 0) {
        return [openError](const char*, std::size_t) { return HeldLines::Written{openError, 0}; };
    }
    return [&file](const char* data, std::size_t size) {
        HeldLines::Written w;
        w.error = file.WriteAll(data, size, &w.accepted);
        return w;
    };
}

LogWriteResult LogWriteResultOf(const HeldLines& held, const HeldLines::Result& result,
                                bool& restartPending) {
    LogWriteResult r;
    r.error = result.error;
    if (restartPending && result.firstSample) {
        r.restarted = true;
        r.restartedAt = *result.firstSample;
        restartPending = false;
    }
    r.writtenLate = result.writtenLate;
    r.droppedNow = result.dropped;
    r.held = held.Held();
    r.droppedTotal = held.DroppedTotal();
    return r;
}
