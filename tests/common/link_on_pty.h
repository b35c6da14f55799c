#pragma once
// A link opened on a bare pseudo-terminal whose master side the test plays as the
// instrument, for tests of the exchanges byte by byte.

#include <gtest/gtest.h>

#include <string>

#include "common/pty_pair.h"
#include "link/instrument_link.h"

struct LinkOnPty {
    // True once the link has the pseudo-terminal open; `why` says why not.
    bool Open(std::string* why) {
        return pty.ok() && link.BeginExchange().OpenInstrumentPort(pty.slavePath(), why);
    }

    PtyPair pty;
    InstrumentLink link;
};

class LinkOnPtyTest : public ::testing::Test, protected LinkOnPty {
  protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(Open(&why)) << why;
    }
};
