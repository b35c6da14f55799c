#pragma once
// When a log's held lines are worth telling the operator about: once when the log begins to
// hold lines, once when it has written them all again (with how many went in late and how
// many were dropped meanwhile), and when its file was started again after it had gone.

#include <cstddef>
#include <cstdint>

#include "measure/held_lines.h"

struct HoldChange {
    bool began = false;  // this write began holding
    int error = 0;       // with `began`: why
    std::size_t held = 0;
    bool ended = false;           // this write ended holding: every held line is in the file
    std::size_t writtenLate = 0;  // with `ended`: since holding began
    std::uint64_t dropped = 0;    // with `ended`: since holding began
    bool restarted = false;       // the file was started again; `restartedAt` is its first
    std::int32_t restartedAt = 0;
};

class HoldNotices {
  public:
    HoldChange Follow(const LogWriteResult& written);

  private:
    bool holding_ = false;
    std::size_t late_ = 0;
    std::uint64_t dropped_ = 0;
};
