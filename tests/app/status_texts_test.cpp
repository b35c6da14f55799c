// The status bar's text: the connection's state, then what the link last said of a port,
// then what the files last said, each only when there is something to say.
#include <gtest/gtest.h>

#include "app/status_texts.h"

namespace {

TEST(StatusText, TheStateThenThePortsNoteThenTheFiles) {
    struct Case {
        const char* portNote;
        const char* files;
        const char* said;
    };
    const Case cases[] = {
        {"", "", "Nie połączono"},
        {"tcp://a:1: zamknięto", "", "Nie połączono  |  tcp://a:1: zamknięto"},
        {"", "jrt1.txt: znów zapisywany", "Nie połączono  |  jrt1.txt: znów zapisywany"},
        {"tcp://a:1: zamknięto", "jrt1.txt: znów zapisywany",
         "Nie połączono  |  tcp://a:1: zamknięto  |  jrt1.txt: znów zapisywany"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        StatusSnapshot status;
        status.portNote = QString::fromUtf8(c.portNote);
        status.files = QString::fromUtf8(c.files);
        EXPECT_EQ(StatusText(status), QString::fromUtf8(c.said));
    }
    // Stopped has no words of its own: the notes stand alone.
    StatusSnapshot stopped;
    stopped.state = SessionState::Stopped;
    stopped.portNote = "tcp://a:1: zamknięto";
    EXPECT_EQ(StatusText(stopped), QString::fromUtf8("tcp://a:1: zamknięto"));
}

}  // namespace
