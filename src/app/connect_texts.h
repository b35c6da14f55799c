#pragma once
// Texts the connect handler shows, in the interface's language.

#include <QString>

#include "link/discovery.h"

struct ConnectTexts {
    const char* identificationCaption;
    const char* versionWord;
    const char* revisionWord;
    const char* serialWord;
    const char* measuring;
    const char* notFound;
};

const ConnectTexts& ConnectTextsFor(bool englishUi);

// "KRT-10 wersja: 1 rewizja: 2 numer seyjny: 300" and its English form; the model name is
// always KRT-10, whichever identification matched.
QString VersionText(const InstrumentVersion& version, bool englishUi);

// What happened on each port the scan tried (the last attempt of each), one line per port,
// for the not-found message. Replies are quoted with control characters made visible.
QString NotFoundDetails(const DiscoveryResult& result, bool englishUi);

// Bytes of a reply as readable plain text: printable characters as they are, anything else
// as \r, \n, \t or \xNN.
QString VisibleText(const std::string& bytes);
