#pragma once
// Texts of connecting, in the interface's language.

#include <QString>
#include <string>

#include "link/discovery.h"

// Caption of the box that shows the identification: "Identyfikator urzadzenia  :".
QString IdentificationCaption();
// Connect's caption while measuring: "Pomiar trwa".
QString MeasuringCaption();
// "Urządzenie nie odpowiada !": the not-found box's title and the first line of the
// not-found message.
QString NotFoundCaption();
// The refusal of a button that needs the instrument before a connect (or while it is lost).
QString NotConnectedText();

// "KRT-10 wersja: 1 rewizja: 2 numer seyjny: 300" in the interface's language; the model
// name is always KRT-10, whichever identification matched.
QString VersionText(const InstrumentVersion& version);

// What happened on each port the scan tried (the last attempt of each), one line per port,
// for the not-found message. Replies are quoted with control characters made visible.
QString NotFoundDetails(const DiscoveryResult& result);

// Bytes of a reply as readable plain text: printable characters as they are, anything else
// as \r, \n, \t or \xNN.
QString VisibleText(const std::string& bytes);

// What the link noticed about a port (serial_port.h), named by the port.
QString PortNoticeText(const PortNotice& notice);
