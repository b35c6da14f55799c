// The inputs of the quantities: the instrument's scale, and which pressure is used.
#include "humidity/humidity_inputs.h"

#include <gtest/gtest.h>

namespace humidity {
namespace {

TEST(HumidityInputs, FahrenheitToCelsiusAndBack) {
    const struct {
        double fahrenheit;
        double celsius;
    } cases[] = {{32.0, 0.0},      {212.0, 100.0}, {-40.0, -40.0}, {98.6, 37.0},
                 {-148.0, -100.0}, {32.018, 0.01}, {68.0, 20.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fahrenheit);
        EXPECT_NEAR(ToCelsius(c.fahrenheit, TemperatureScale::Fahrenheit), c.celsius, 1e-12);
        EXPECT_NEAR(FromCelsius(c.celsius, TemperatureScale::Fahrenheit), c.fahrenheit, 1e-12);
        // In °C nothing changes.
        EXPECT_EQ(ToCelsius(c.fahrenheit, TemperatureScale::Celsius), c.fahrenheit);
        EXPECT_EQ(FromCelsius(c.celsius, TemperatureScale::Celsius), c.celsius);
    }
}

TEST(HumidityInputs, CommandLineWinsOverTheInstrumentWhichWinsOverTheStandard) {
    using P = ChosenPressure;
    EXPECT_EQ(ChoosePressure(std::nullopt, std::nullopt), (P{1013.25, PressureSource::Standard}));
    // The instrument's 1.00 bar (100 hundredths) and 1.35 bar.
    EXPECT_EQ(ChoosePressure(std::nullopt, 100), (P{1000.0, PressureSource::Instrument}));
    EXPECT_EQ(ChoosePressure(std::nullopt, 135), (P{1350.0, PressureSource::Instrument}));
    EXPECT_EQ(ChoosePressure(950.5, 100), (P{950.5, PressureSource::CommandLine}));
    EXPECT_EQ(ChoosePressure(950.5, std::nullopt), (P{950.5, PressureSource::CommandLine}));
    // A setting of 0 is passed on as it is, to be marked out of range, not replaced.
    EXPECT_EQ(ChoosePressure(std::nullopt, 0), (P{0.0, PressureSource::Instrument}));
}

TEST(HumidityInputs, PressureOnTheCommandLine) {
    const struct {
        const char* text;
        std::optional<double> hpa;
    } cases[] = {
        {"1013.25", 1013.25}, {"850", 850.0},    {"10", 10.0},   {"10000", 10000.0},
        {"0987.5", 987.5},    {"1000.", 1000.0}, {"", {}},       {".", {}},
        {"abc", {}},          {"-5", {}},        {"+1000", {}},  {"1e3", {}},
        {" 1000", {}},        {"1000 ", {}},     {"1000,5", {}}, {"1.2.3", {}},
        {"9.99", {}},         {"10000.01", {}},  {"nan", {}},    {"inf", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParsePressureHpa(c.text), c.hpa);
    }
}

}  // namespace
}  // namespace humidity
