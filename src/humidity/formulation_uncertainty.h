#pragma once
// The saturation formulations' and the enhancement factor's own uncertainty, as relative
// standard uncertainties (k = 1, fractions: 5e-5 is 0.005 %). The defaults and their sources
// are listed in docs/humidity.md; an auditor who prefers other values sets them here.
// Standard library only.

namespace humidity {

struct FormulationUncertainties {
    // ew(t) over water from 0 to 100 °C.
    double waterAboveZero = 5.0e-5;
    // ew(t) over supercooled water: rises in proportion to the depth below 0 °C, from
    // waterAboveZero at 0 °C to this at -100 °C.
    double waterAtMinus100 = 1.0e-2;
    // ei(t) over ice: from this at 0 °C, in proportion to the depth below it, to
    // iceAtMinus100 at -100 °C.
    double iceAtZero = 1.6e-4;
    double iceAtMinus100 = 5.0e-3;
    // f(P), the enhancement factor, whatever the pressure.
    double enhancementFactor = 5.0e-4;

    bool operator==(const FormulationUncertainties&) const = default;
};

// The relative standard uncertainty of ew at `celsius` (of ei for the second): the two ends
// joined by a straight line, held at the -100 °C value below it.
double WaterFormulationUncertainty(double celsius, const FormulationUncertainties& u);
double IceFormulationUncertainty(double celsius, const FormulationUncertainties& u);

}  // namespace humidity
