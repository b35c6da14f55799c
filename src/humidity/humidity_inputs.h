#pragma once
// What the quantities are computed from: temperatures in the instrument's scale brought to
// °C and back, and the pressure, chosen from the command line, the instrument's settings or
// the standard atmosphere. Pure functions, standard library only.

#include <cstdint>
#include <optional>
#include <string_view>

namespace humidity {

// The scale the instrument reports temperatures in; °C until its settings have been read.
enum class TemperatureScale { Celsius, Fahrenheit };

double ToCelsius(double value, TemperatureScale scale);
double FromCelsius(double celsius, TemperatureScale scale);

// The standard atmosphere, used when neither the command line nor the instrument tells.
inline constexpr double kStandardPressureHpa = 1013.25;
// The pressures the quantities are computed for (hPa, both included); outside them the
// pressure-dependent quantities are empty.
inline constexpr double kLowestPressureHpa = 10.0;
inline constexpr double kHighestPressureHpa = 10000.0;

enum class PressureSource { CommandLine, Instrument, Standard };

struct ChosenPressure {
    double hpa = kStandardPressureHpa;
    PressureSource source = PressureSource::Standard;

    bool operator==(const ChosenPressure&) const = default;
};

// The pressure the quantities use: `--pressure` when given (it wins over the instrument),
// else the instrument's `Pressure` setting (hundredths of a bar) once read, else the
// standard atmosphere. The instrument's value is taken as it is, so a setting of 0 shows
// as a pressure out of range rather than being replaced by a plausible one.
ChosenPressure ChoosePressure(std::optional<double> commandLineHpa,
                              std::optional<std::int32_t> instrumentHundredthsOfBar);

// The value of `--pressure HPA`: a plain decimal number ("." before decimals, no sign, no
// exponent, no blanks) within kLowestPressureHpa..kHighestPressureHpa; empty otherwise.
std::optional<double> ParsePressureHpa(std::string_view text);

}  // namespace humidity
