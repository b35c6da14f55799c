#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "settings/pending_settings.h"

namespace {

enum class Op { Arm, Take, Finish, Clear };

struct Step {
    Op op;
    // Arm: the Save's marker (its DisplayUnit). Take: the marker expected, or -1 for none.
    int marker;
    bool pendingAfter;
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

InstrumentSettings Marked(int marker) {
    InstrumentSettings s;
    s.DisplayUnit = static_cast<std::uint8_t>(marker);
    s.Pressure = static_cast<std::int16_t>(marker * 100);
    return s;
}

TEST(PendingSettings, WriteTakesTheLastCompletedSaveAndALaterSaveStaysPending) {
    const Scenario scenarios[] = {
        {"nothing saved", {{Op::Take, -1, false}}},
        {"saved and written",
         {{Op::Arm, 1, true}, {Op::Take, 1, true}, {Op::Finish, 0, false}, {Op::Take, -1, false}}},
        {"saved again while the write runs",
         {{Op::Arm, 1, true},
          {Op::Take, 1, true},
          {Op::Arm, 2, true},
          {Op::Finish, 0, true},
          {Op::Take, 2, true},
          {Op::Finish, 0, false}}},
        {"two Saves before the write: the later one goes",
         {{Op::Arm, 1, true}, {Op::Arm, 2, true}, {Op::Take, 2, true}, {Op::Finish, 0, false}}},
        {"cleared by connecting",
         {{Op::Arm, 1, true}, {Op::Clear, 0, false}, {Op::Take, -1, false}}},
    };
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        PendingSettings pending;
        std::optional<PendingSettings::Ticket> ticket;
        int stepNumber = 0;
        for (const Step& step : scenario.steps) {
            SCOPED_TRACE(testing::Message() << "step " << ++stepNumber);
            switch (step.op) {
                case Op::Arm:
                    pending.Arm(Marked(step.marker));
                    break;
                case Op::Take:
                    ticket = pending.Take();
                    ASSERT_EQ(ticket.has_value(), step.marker >= 0);
                    if (ticket) {
                        EXPECT_EQ(ticket->settings, Marked(step.marker));
                    }
                    break;
                case Op::Finish:
                    ASSERT_TRUE(ticket.has_value());
                    pending.Finish(*ticket);
                    break;
                case Op::Clear:
                    pending.Clear();
                    break;
            }
            EXPECT_EQ(pending.IsPending(), step.pendingAfter);
        }
    }
}

}  // namespace
