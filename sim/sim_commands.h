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
//   dew-point C        the dew point held at C °C (-100 to 100) from now: every reading C
//   dew-point wander   the dew point wanders around 9.5 °C again (as by default)
//   dew-drift RATE     the dew point moves RATE °C an hour (-3600 to 3600) from where it
//                      is now; 0 holds it there
//
// "reset" also restores the dew point's course as it was at the start (a course from the
// command line keeps its time origin: a drift goes on where it would be by now).
// Standard library only; the simulator does the rest.

#include <optional>
#include <string>
#include <string_view>

#include "sim/instrument_simulator.h"

namespace sim {

// A decimal number ("." before decimals, an optional sign) within lowest..highest, the
// whole text; empty otherwise. For the commands' and the command line's numbers.
std::optional<double> ParseDecimal(std::string_view text, double lowest, double highest);

class SimCommands {
  public:
    // The identification and dew-point course the simulator has now are the ones "reset"
    // restores.
    explicit SimCommands(InstrumentSimulator& simulator);

    // Runs one command line (a trailing CR is ignored) and returns the reply line.
    std::string Run(std::string_view line);

  private:
    InstrumentSimulator& simulator_;
    std::string initialIdentification_;
    std::optional<DewPointCourse> initialDewPointCourse_;
};

}  // namespace sim
