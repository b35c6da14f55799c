#pragma once
// The status bar's text: where the connection stands, in the interface's language.

#include <QString>
#include <QTime>

#include <cstddef>

#include "link/instrument_protocol.h"
#include "session/instrument_session.h"

struct StatusSnapshot {
    SessionState state = SessionState::NotConnected;
    int scanPlace = 0;  // the port being tried (1-based), 0 when none is
    int scanCount = 0;
    QString port;
    QString identification;  // as the instrument sent it
    int samples = 0;
    QTime lastSample;        // invalid before the first
    int silentSeconds = -1;  // since data last came, while polls bring none; -1 otherwise
    // Bytes the last poll's read brought; other than a whole record's is said.
    std::size_t replyBytes = kMeasurementReplySize;
    // The last word of the link about a port since the scan began (a server used without
    // line settings, a peer dropped for flooding); empty while there is none.
    QString portNote;
    // The last word of the log or the record: lines held since a write failed, written
    // again, or a file started again; empty while there is none.
    QString files;
};

QString StatusText(const StatusSnapshot& status);
