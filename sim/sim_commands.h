#pragma once
// Line commands that drive a running simulator from outside, e.g. from a test that reaches
// the instrument only through a COM port under Wine. One command a line, one reply line
// each: "ok", "ok DATA" or "error WHY". Bytes travel as hexadecimal text.
//
//   reset              faults, fixed measurement, identification and the record of what
//                      was received as at the start; replies not yet read are dropped;
//                      an unplugged instrument is plugged in again
//   answers on|off     off: requests are recorded but not answered
//   id TEXT            the identification reply: the rest of the line, blanks included
//   measurement HEX    every measurement reply is these 32 bytes
//   send HEX           the instrument sends these bytes now, unasked
//   received           "ok HEX": every byte received since the start, reset or clear
//   clear              forgets what was received
//   unplug             the instrument is unplugged: the client's port hangs up
//   replug MS          plugged in again MS milliseconds from now, on a new terminal that
//                      the link path (--link) follows
//
// Standard library only; the simulator does the rest.

#include <string>
#include <string_view>

#include "sim/instrument_simulator.h"

namespace sim {

class SimCommands {
  public:
    // The identification the simulator has now is the one "reset" restores.
    explicit SimCommands(InstrumentSimulator& simulator);

    // Runs one command line (a trailing CR is ignored) and returns the reply line.
    std::string Run(std::string_view line);

  private:
    InstrumentSimulator& simulator_;
    std::string initialIdentification_;
};

}  // namespace sim
