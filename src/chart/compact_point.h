#pragma once
// The compact form of a chart point. Live samples arrive as OLE dates of whole
// milliseconds and as 16-bit readings over a fixed divisor; such a point is kept as an
// integer time and an integer reading. A point is compact only when decoding gives back
// the very same doubles, so storing it compact never changes what is drawn; every other
// point (a loaded file's odd decimals, a value that is not finite) is kept exact.

#include <cstdint>
#include <optional>

// Milliseconds since the origin of the OLE date scale whose OLE date (computed as
// OleDate() computes it: whole days plus milliseconds of the day over a day's
// milliseconds) is exactly `oleDate`; none for any other value.
std::optional<std::int64_t> WholeMilliseconds(double oleDate);
double OleDateOfMilliseconds(std::int64_t milliseconds);

// The smallest millisecond count whose OLE date is at or after `oleDate` (`after`: strictly
// after). Beyond the scale's range the result lies beyond every stored time.
std::int64_t FirstMillisecondFrom(double oleDate, bool after);

// The 16-bit reading r with r / divisor == y exactly; none when there is no such reading.
std::optional<std::int16_t> RawValue(double y, double divisor);
inline double ValueOfRaw(std::int16_t raw, double divisor) {
    return static_cast<double>(raw) / divisor;
}
