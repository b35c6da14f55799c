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
//   silent [COUNT]     the next COUNT answers are not sent (requests still recorded)
//   slow MS [COUNT]    each of the next COUNT answers leaves MS milliseconds (0 to 60000)
//                      after its request; 0 ends it
//   split BYTES MS [COUNT]
//                      the next COUNT answers in two parts: the first BYTES bytes, then
//                      the rest MS milliseconds (0 to 60000) later; BYTES 0 ends it
//   over-long BYTES [COUNT]
//                      the next COUNT answers padded with AA bytes to BYTES bytes (up to
//                      4096); 0 ends it
//   short BYTES [COUNT]
//                      the next COUNT answers longer than BYTES bytes cut to their first
//                      BYTES; 0 ends it
//   faults off         silent, slow, split, over-long and short end; one-shot replies go
//   dew-point C        the dew point held at C °C (-100 to 100) from now: every reading C
//   dew-point wander   the dew point wanders around 9.5 °C again (as by default)
//   dew-drift RATE     the dew point moves RATE °C an hour (-3600 to 3600) from where it
//                      is now; 0 holds it there
//
// COUNT is a number of answers (1 to 1000000) or "every" (until changed), "every" when left
// out. Garbage on the line is "send HEX".
//
// "reset" also restores the dew point's course as it was at the start (a course from the
// command line keeps its time origin: a drift goes on where it would be by now).
// Standard library only; the simulator does the rest.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // silent, slow, split, over-long and short with the words of their argument.
    std::string RunFault(std::string_view name, const std::vector<std::string_view>& words);

    InstrumentSimulator& simulator_;
    std::string initialIdentification_;
    std::optional<DewPointCourse> initialDewPointCourse_;
};

}  // namespace sim
