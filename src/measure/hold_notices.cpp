#include "measure/hold_notices.h"

HoldChange HoldNotices::Follow(const LogWriteResult& written) {
    HoldChange change;
    change.restarted = written.restarted;
    change.restartedAt = written.restartedAt;
    change.held = written.held;
    if (!holding_ && written.held > 0) {
        holding_ = true;
        late_ = 0;
        dropped_ = 0;
        change.began = true;
        change.error = written.error;
        return change;
    }
    if (!holding_) {
        return change;
    }
    late_ += written.writtenLate;
    dropped_ += written.droppedNow;
    if (written.held == 0) {
        holding_ = false;
        change.ended = true;
        change.writtenLate = late_;
        change.dropped = dropped_;
    }
    return change;
}
