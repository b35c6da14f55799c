#include "humidity/humidity_inputs.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace humidity {

double ToCelsius(double value, TemperatureScale scale) {
    return scale == TemperatureScale::Fahrenheit ? (value - 32.0) * 5.0 / 9.0 : value;
}

double FromCelsius(double celsius, TemperatureScale scale) {
    return scale == TemperatureScale::Fahrenheit ? celsius * 9.0 / 5.0 + 32.0 : celsius;
}

ChosenPressure ChoosePressure(std::optional<double> commandLineHpa,
                              std::optional<std::int32_t> instrumentHundredthsOfBar) {
    if (commandLineHpa) {
        return {*commandLineHpa, PressureSource::CommandLine};
    }
    if (instrumentHundredthsOfBar) {
        // 0.01 bar = 10 hPa.
        return {*instrumentHundredthsOfBar * 10.0, PressureSource::Instrument};
    }
    return {kStandardPressureHpa, PressureSource::Standard};
}

std::optional<double> ParsePressureHpa(std::string_view text) {
    bool digits = false;
    bool point = false;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits || text.size() > 32) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value < kLowestPressureHpa || value > kHighestPressureHpa) {
        return std::nullopt;
    }
    return value;
}

}  // namespace humidity
