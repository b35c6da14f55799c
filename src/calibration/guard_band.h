#pragma once
// The verdict on a device's deviation by the guard-band rule of ILAC-G8: the expanded
// uncertainty is a guard band on both sides of the tolerance.
//   pass:          |deviation| + U <= tolerance
//   fail:          |deviation| - U >  tolerance
//   inconclusive:  otherwise (the interval deviation ± U straddles the tolerance)
// "<=" allows 1e-9 of the tolerance (at least 1e-9) for the binary rounding of decimal
// values, so a deviation and U whose decimals add up exactly to the tolerance pass, and
// exactly U beyond it is not yet a failure.

#include <string_view>

namespace calibration {

enum class Verdict { Pass, Fail, Inconclusive };

Verdict GuardBandVerdict(double deviation, double expanded, double tolerance);

// "pass", "fail", "inconclusive": as the points file writes it.
std::string_view VerdictName(Verdict verdict);

}  // namespace calibration
