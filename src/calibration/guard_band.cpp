#include "calibration/guard_band.h"

#include <algorithm>
#include <cmath>

namespace calibration {

Verdict GuardBandVerdict(double deviation, double expanded, double tolerance) {
    const double slack = 1e-9 * std::max(1.0, std::fabs(tolerance));
    const double distance = std::fabs(deviation);
    if (distance + expanded <= tolerance + slack) {
        return Verdict::Pass;
    }
    if (distance - expanded > tolerance + slack) {
        return Verdict::Fail;
    }
    return Verdict::Inconclusive;
}

std::string_view VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass:
            return "pass";
        case Verdict::Fail:
            return "fail";
        case Verdict::Inconclusive:
            break;
    }
    return "inconclusive";
}

}  // namespace calibration
