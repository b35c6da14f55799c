#include "humidity/formulation_uncertainty.h"

#include <algorithm>

namespace humidity {

namespace {

// From `atZero` at 0 °C to `atMinus100` at -100 °C, flat outside that span.
double AlongTheDepth(double celsius, double atZero, double atMinus100) {
    const double depth = std::clamp(-celsius / 100.0, 0.0, 1.0);
    return atZero + (atMinus100 - atZero) * depth;
}

}  // namespace

double WaterFormulationUncertainty(double celsius, const FormulationUncertainties& u) {
    return AlongTheDepth(celsius, u.waterAboveZero, u.waterAtMinus100);
}

double IceFormulationUncertainty(double celsius, const FormulationUncertainties& u) {
    return AlongTheDepth(celsius, u.iceAtZero, u.iceAtMinus100);
}

}  // namespace humidity
