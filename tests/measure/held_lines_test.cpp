// The lines a log holds while its file fails: written later in their order, each whole and
// once, the oldest dropped past the bound; against a file that fails when told to.
#include "measure/held_lines.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "measure/hold_notices.h"

namespace {

constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();

// What the file is like when a sample's line is written.
struct Fault {
    std::size_t room = kUnlimited;  // bytes it takes before the disk is full
    bool directoryGone = false;     // its directory, and the file with it, is not there
};

// A file in a directory that can be taken away and put back (empty) at will.
class FakeFile {
  public:
    void Set(const Fault& fault) {
        if (gone_ && !fault.directoryGone) {
            fresh_ = true;  // the log makes its file again in the directory put back
        }
        if (fault.directoryGone) {
            content_.clear();
        }
        gone_ = fault.directoryGone;
        room_ = fault.room;
    }
    bool TakeFresh() { return std::exchange(fresh_, false); }
    HeldLines::Write Writer() {
        return [this](const char* data, std::size_t size) {
            if (gone_) {
                return HeldLines::Written{ENOENT, 0};
            }
            const std::size_t taken = std::min(size, room_);
            content_.append(data, static_cast<qsizetype>(taken));
            room_ -= room_ == kUnlimited ? 0 : taken;
            return HeldLines::Written{taken < size ? ENOSPC : 0, taken};
        };
    }
    const QByteArray& Content() const { return content_; }

  private:
    QByteArray content_;
    std::size_t room_ = kUnlimited;
    bool gone_ = false;
    bool fresh_ = false;
};

QByteArray Line(int sample) {
    return "line " + QByteArray::number(sample) + '\n';
}

QByteArray Lines(int first, int last) {
    QByteArray lines;
    for (int sample = first; sample <= last; ++sample) {
        lines += Line(sample);
    }
    return lines;
}

struct Case {
    const char* name;
    int samples;
    std::size_t bound;
    // The file's state at each sample given (1-based); a sample not listed finds it well.
    std::vector<std::pair<int, Fault>> faults;
    QByteArray expected;
    std::uint64_t dropped;
    // The sample whose write ended the holding, how many went in late with it and how many
    // were dropped meanwhile, and where the file was started again (0: it was not).
    int endedAt;
    std::size_t late;
    std::int32_t restartedAt;
};

// Named in the test's listing by its name, not its bytes.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

std::vector<std::pair<int, Fault>> FullFrom(int first, int last) {
    std::vector<std::pair<int, Fault>> faults;
    for (int sample = first; sample <= last; ++sample) {
        faults.push_back({sample, Fault{0, false}});
    }
    return faults;
}

const Case kCases[] = {
    {"full disk for one line", 5, kHeldLinesBound, FullFrom(3, 3),
     "line 1\nline 2\nline 3\nline 4\nline 5\n", 0, 4, 1, 0},
    {"full disk for a thousand lines", 1003, kHeldLinesBound, FullFrom(2, 1001), Lines(1, 1003), 0,
     1002, 1000, 0},
    {"full disk past the bound of 4: the oldest dropped", 10, 4, FullFrom(2, 8),
     "line 1\nline 6\nline 7\nline 8\nline 9\nline 10\n", 4, 9, 3, 0},
    {"a line the disk took in part is finished, not repeated",
     4,
     kHeldLinesBound,
     {{2, Fault{3, false}}},
     "line 1\nline 2\nline 3\nline 4\n",
     0,
     3,
     1,
     0},
    {"a line cut in two stays whole past the bound of 2",
     6,
     2,
     {{2, Fault{4, false}}, {3, Fault{0, false}}, {4, Fault{0, false}}},
     "line 1\nline 2\nline 5\nline 6\n",
     2,
     5,
     1,
     0},
    {"directory removed and restored",
     6,
     kHeldLinesBound,
     {{3, Fault{kUnlimited, true}}, {4, Fault{kUnlimited, true}}},
     "line 3\nline 4\nline 5\nline 6\n",
     0,
     5,
     2,
     3},
    {"a line begun in a removed file goes whole into the new one",
     5,
     kHeldLinesBound,
     {{2, Fault{2, false}}, {3, Fault{kUnlimited, true}}},
     "line 2\nline 3\nline 4\nline 5\n",
     0,
     4,
     2,
     2},
};

class HeldLinesTable : public ::testing::TestWithParam<Case> {};

TEST_P(HeldLinesTable, EveryLineInOrderOnce) {
    const Case& c = GetParam();
    HeldLines held(c.bound);
    HoldNotices notices;
    FakeFile file;
    int endedAt = 0;
    std::size_t late = 0;
    std::uint64_t droppedWhileHeld = 0;
    std::int32_t restartedAt = 0;
    bool restartPending = false;
    for (int sample = 1; sample <= c.samples; ++sample) {
        Fault fault;
        for (const auto& [at, f] : c.faults) {
            if (at == sample) {
                fault = f;
            }
        }
        file.Set(fault);
        const bool fresh = file.TakeFresh();
        restartPending = restartPending || fresh;
        const HeldLines::Result result = held.Add(sample, Line(sample), file.Writer(), fresh);
        const HoldChange change = notices.Follow(LogWriteResultOf(held, result, restartPending));
        if (change.ended) {
            EXPECT_EQ(endedAt, 0) << "holding ended twice";
            endedAt = sample;
            late = change.writtenLate;
            droppedWhileHeld = change.dropped;
        }
        if (change.restarted) {
            restartedAt = change.restartedAt;
        }
    }
    EXPECT_EQ(file.Content(), c.expected);
    EXPECT_EQ(held.Held(), 0u);
    EXPECT_EQ(held.DroppedTotal(), c.dropped);
    EXPECT_EQ(endedAt, c.endedAt);
    EXPECT_EQ(late, c.late);
    EXPECT_EQ(droppedWhileHeld, c.dropped);
    EXPECT_EQ(restartedAt, c.restartedAt);
}

INSTANTIATE_TEST_SUITE_P(Faults, HeldLinesTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p != '\0'; ++p) {
                                 if (std::isalnum(static_cast<unsigned char>(*p))) {
                                     name += *p;
                                 }
                             }
                             return name;
                         });

TEST(HeldLines, HoldingIsToldOnceWhenItBeginsWithTheReasonAndTheCount) {
    HeldLines held;
    HoldNotices notices;
    FakeFile file;
    bool restartPending = false;
    std::vector<HoldChange> changes;
    for (int sample = 1; sample <= 4; ++sample) {
        file.Set(Fault{sample <= 3 ? 0 : kUnlimited, false});
        const HeldLines::Result result = held.Add(sample, Line(sample), file.Writer());
        changes.push_back(notices.Follow(LogWriteResultOf(held, result, restartPending)));
    }
    EXPECT_TRUE(changes[0].began);
    EXPECT_EQ(changes[0].error, ENOSPC);
    EXPECT_EQ(changes[0].held, 1u);
    EXPECT_FALSE(changes[1].began);
    EXPECT_FALSE(changes[1].ended);
    EXPECT_EQ(changes[2].held, 3u);
    EXPECT_FALSE(changes[2].began);
    EXPECT_TRUE(changes[3].ended);
    EXPECT_EQ(changes[3].writtenLate, 3u);
    EXPECT_EQ(file.Content(), "line 1\nline 2\nline 3\nline 4\n");
}

TEST(HeldLines, TheLastTryWritesWhatIsHeldWithoutANewLine) {
    HeldLines held;
    FakeFile file;
    file.Set(Fault{0, false});
    EXPECT_EQ(held.Add(1, Line(1), file.Writer()).error, ENOSPC);
    EXPECT_EQ(held.Add(2, Line(2), file.Writer()).error, ENOSPC);
    EXPECT_EQ(held.Retry(file.Writer()).error, ENOSPC);
    EXPECT_EQ(held.Held(), 2u);
    file.Set(Fault{});
    const HeldLines::Result last = held.Retry(file.Writer());
    EXPECT_EQ(last.error, 0);
    EXPECT_EQ(last.writtenLate, 2u);
    EXPECT_EQ(held.Held(), 0u);
    EXPECT_EQ(file.Content(), "line 1\nline 2\n");
}

}  // namespace
