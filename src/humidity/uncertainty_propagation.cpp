#include "humidity/uncertainty_propagation.h"

#include <cmath>

#include "humidity/saturation.h"

namespace humidity {

namespace {

constexpr double kZeroCelsiusKelvin = 273.15;
constexpr double kPascalsPerHpa = 100.0;
// Half the step of the central differences of ln ew and ln ei, K: their truncation and
// rounding errors both stay below 1e-9 of the slope.
constexpr double kSlopeStep = 1e-3;

constexpr std::array<std::string_view, kUncertaintySourceCount> kSourceNames = {
    "dew_point_instrument",
    "dew_point_type_a",
    "ambient_temperature_instrument",
    "ambient_temperature_type_a",
    "pressure",
    "water_formulation_at_dew_point",
    "water_formulation_at_ambient_temperature",
    "ice_formulation_at_ambient_temperature",
    "ice_formulation_at_frost_point",
    "enhancement_factor",
};

double DegreesPerKelvin(TemperatureScale scale) {
    return scale == TemperatureScale::Fahrenheit ? 1.8 : 1.0;
}

// d ln e(t) / dt, per kelvin.
double LogSlope(double (*curve)(double), double celsius) {
    return (std::log(curve(celsius + kSlopeStep)) - std::log(curve(celsius - kSlopeStep))) /
           (2.0 * kSlopeStep);
}

// df/dP of EnhancementFactor, per hPa.
double EnhancementSlope(double pressureHpa) {
    return 3.15e-6 + 0.074 / (pressureHpa * pressureHpa);
}

// The standard uncertainties of the inputs, in their budget units.
struct InputUncertainties {
    double dewPoint;                        // K
    std::optional<double> dewPointScatter;  // K
    double ambient;                         // K
    std::optional<double> ambientScatter;   // K
    double pressure;                        // hPa
};

InputUncertainties StandardUncertainties(const UncertaintyInputs& in) {
    const double k = DegreesPerKelvin(in.scale);
    const auto scatter = [k](const std::optional<MeanScatter>& s) -> std::optional<double> {
        if (!s) {
            return std::nullopt;
        }
        return StandardUncertaintyOfMean(*s) / k;
    };
    return {in.dewPointExpandedK / kCoverageFactor, scatter(in.dewPointScatter),
            in.ambientExpandedK / kCoverageFactor, scatter(in.ambientScatter),
            in.pressureExpandedHpa / kCoverageFactor};
}

class BudgetBuilder {
  public:
    BudgetBuilder(double value, const InputUncertainties& u) : u_(u) { q_.value = value; }

    void Add(UncertaintySource source, double standardUncertainty, double sensitivity) {
        Contribution& c = q_.contributions[q_.contributionCount++];
        c.source = source;
        c.standardUncertainty = standardUncertainty;
        c.sensitivity = sensitivity;
        c.contribution = sensitivity * standardUncertainty;
    }
    // The dew point's inputs (the instrument and the window's scatter), c per kelvin.
    void AddDewPoint(double sensitivity) {
        Add(UncertaintySource::DewPointInstrument, u_.dewPoint, sensitivity);
        if (u_.dewPointScatter) {
            Add(UncertaintySource::DewPointScatter, *u_.dewPointScatter, sensitivity);
        }
    }
    void AddAmbient(double sensitivity) {
        Add(UncertaintySource::AmbientInstrument, u_.ambient, sensitivity);
        if (u_.ambientScatter) {
            Add(UncertaintySource::AmbientScatter, *u_.ambientScatter, sensitivity);
        }
    }
    void AddPressure(double sensitivity) {
        Add(UncertaintySource::Pressure, u_.pressure, sensitivity);
    }

    QuantityUncertainty Done() {
        double sum = 0.0;
        for (const Contribution& c : q_.Budget()) {
            sum += c.contribution * c.contribution;
        }
        q_.standardUncertainty = std::sqrt(sum);
        q_.expanded = kCoverageFactor * q_.standardUncertainty;
        return q_;
    }

  private:
    const InputUncertainties& u_;
    QuantityUncertainty q_;
};

// Relative humidity over water or over ice alike: y = 100·ew(Td)/es(T), with es the curve
// `saturation` whose formulation is `curveSource` with relative uncertainty `uCurve`.
QuantityUncertainty RelativeHumidity(double rh, double waterSlopeDew, double uWaterDew,
                                     double (*saturation)(double), double ambientC,
                                     UncertaintySource curveSource, double uCurve,
                                     const InputUncertainties& u) {
    BudgetBuilder b(rh, u);
    b.AddDewPoint(rh * waterSlopeDew);
    b.AddAmbient(-rh * LogSlope(saturation, ambientC));
    b.Add(UncertaintySource::WaterAtDewPoint, uWaterDew, rh);
    b.Add(curveSource, uCurve, -rh);
    return b.Done();
}

// Mixing ratio and ppmv alike: y = factor·e/(p - e), p = 100·P Pa, so
// dy/de = y·p/(e·(p - e)) and dy/dp = -y/(p - e).
QuantityUncertainty DryGasRatio(double y, double e, double pressureHpa, double eSlopeDewPoint,
                                double eSlopePressure, double uWaterDew, double uEnhancement,
                                const InputUncertainties& u) {
    const double p = pressureHpa * kPascalsPerHpa;
    const double dryGas = p - e;
    const double perE = y * p / (e * dryGas);
    const double perP = -y / dryGas * kPascalsPerHpa;  // per hPa
    BudgetBuilder b(y, u);
    b.AddDewPoint(perE * eSlopeDewPoint);
    b.AddPressure(perE * eSlopePressure + perP);
    b.Add(UncertaintySource::WaterAtDewPoint, uWaterDew, perE * e);
    b.Add(UncertaintySource::EnhancementFactor, uEnhancement, perE * e);
    return b.Done();
}

}  // namespace

double DefaultPressureUncertaintyHpa(PressureSource source) {
    return source == PressureSource::Standard ? kAssumedPressureUncertaintyHpa
                                              : kKnownPressureUncertaintyHpa;
}

double StandardUncertaintyOfMean(const MeanScatter& scatter) {
    if (scatter.count == 0) {
        return 0.0;
    }
    return scatter.standardDeviation / std::sqrt(static_cast<double>(scatter.count));
}

std::optional<MeanScatter> MeanScatterOf(const WindowStatistics& statistics) {
    if (!statistics.standardDeviation) {
        return std::nullopt;
    }
    return MeanScatter{*statistics.standardDeviation, statistics.count};
}

std::string_view UncertaintySourceName(UncertaintySource source) {
    return kSourceNames[static_cast<std::size_t>(source)];
}

std::string_view UncertaintySourceUnit(UncertaintySource source) {
    switch (source) {
        case UncertaintySource::DewPointInstrument:
        case UncertaintySource::DewPointScatter:
        case UncertaintySource::AmbientInstrument:
        case UncertaintySource::AmbientScatter:
            return "K";
        case UncertaintySource::Pressure:
            return "hPa";
        default:
            return "1";
    }
}

PropagatedUncertainties PropagateUncertainties(const UncertaintyInputs& in) {
    PropagatedUncertainties r;
    r.quantities = ComputeQuantities(in.dewPoint, in.ambient, in.scale, in.pressureHpa);
    const HumidityQuantities& q = r.quantities;
    const InputUncertainties u = StandardUncertainties(in);
    const double k = DegreesPerKelvin(in.scale);
    const double dewC = ToCelsius(in.dewPoint, in.scale);
    const double ambientC = ToCelsius(in.ambient, in.scale);
    const FormulationUncertainties& f = in.formulations;

    if (std::isfinite(in.dewPoint)) {
        BudgetBuilder b(in.dewPoint, u);
        b.AddDewPoint(k);
        r.dewPoint = b.Done();
    }
    if (std::isfinite(in.ambient)) {
        BudgetBuilder b(in.ambient, u);
        b.AddAmbient(k);
        r.ambientTemperature = b.Done();
    }
    if (!InFormulationRange(dewC)) {
        return r;  // nothing computed from it
    }

    const double waterSlopeDew = LogSlope(SaturationOverWaterPa, dewC);
    const double uWaterDew = WaterFormulationUncertainty(dewC, f);

    if (q.frostPoint) {
        const double frostC = ToCelsius(*q.frostPoint, in.scale);
        const double perLogIce = k / LogSlope(SaturationOverIcePa, frostC);
        BudgetBuilder b(*q.frostPoint, u);
        b.AddDewPoint(perLogIce * waterSlopeDew);
        b.Add(UncertaintySource::WaterAtDewPoint, uWaterDew, perLogIce);
        b.Add(UncertaintySource::IceAtFrostPoint, IceFormulationUncertainty(frostC, f), -perLogIce);
        r.frostPoint = b.Done();
    }
    if (q.relativeHumidityCalculated) {
        r.relativeHumidityCalculated =
            RelativeHumidity(*q.relativeHumidityCalculated, waterSlopeDew, uWaterDew,
                             SaturationOverWaterPa, ambientC, UncertaintySource::WaterAtAmbient,
                             WaterFormulationUncertainty(ambientC, f), u);
    }
    if (q.relativeHumidityIce) {
        r.relativeHumidityIce = RelativeHumidity(
            *q.relativeHumidityIce, waterSlopeDew, uWaterDew, SaturationOverIcePa, ambientC,
            UncertaintySource::IceAtAmbient, IceFormulationUncertainty(ambientC, f), u);
    }
    if (!q.vapourPressurePa) {
        return r;  // the pressure is out of range: nothing depends on it
    }

    // e = f(P)·ew(Td): its slopes per kelvin of Td and per hPa of P.
    const double e = *q.vapourPressurePa;
    const double eSlopeDew = e * waterSlopeDew;
    const double eSlopePressure =
        e / EnhancementFactor(in.pressureHpa) * EnhancementSlope(in.pressureHpa);
    {
        BudgetBuilder b(e, u);
        b.AddDewPoint(eSlopeDew);
        b.AddPressure(eSlopePressure);
        b.Add(UncertaintySource::WaterAtDewPoint, uWaterDew, e);
        b.Add(UncertaintySource::EnhancementFactor, f.enhancementFactor, e);
        r.vapourPressurePa = b.Done();
    }
    if (q.absoluteHumidityGPerM3) {
        // AH = 2.16679·e/(t + 273.15)
        const double ah = *q.absoluteHumidityGPerM3;
        BudgetBuilder b(ah, u);
        b.AddDewPoint(ah * waterSlopeDew);
        b.AddAmbient(-ah / (ambientC + kZeroCelsiusKelvin));
        b.AddPressure(ah / e * eSlopePressure);
        b.Add(UncertaintySource::WaterAtDewPoint, uWaterDew, ah);
        b.Add(UncertaintySource::EnhancementFactor, f.enhancementFactor, ah);
        r.absoluteHumidityGPerM3 = b.Done();
    }
    if (q.mixingRatioGPerKg) {
        r.mixingRatioGPerKg = DryGasRatio(*q.mixingRatioGPerKg, e, in.pressureHpa, eSlopeDew,
                                          eSlopePressure, uWaterDew, f.enhancementFactor, u);
    }
    if (q.ppmv) {
        r.ppmv = DryGasRatio(*q.ppmv, e, in.pressureHpa, eSlopeDew, eSlopePressure, uWaterDew,
                             f.enhancementFactor, u);
    }
    return r;
}

}  // namespace humidity
