// The humidity each sample carries out of the session: computed for the pressure and the scale
// of the instrument's settings (or --pressure), and the stability window fed with every
// sample. Expected values from ew(20 °C) = 2339.26 Pa and ew(30 °C) = 4246.9 Pa, by hand.
#include <cmath>

#include "common/session_fixture.h"

using namespace std::chrono_literals;

namespace {

void PutWord(sim::MeasurementReply& reply, std::size_t offset, int value) {
    reply[offset] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    reply[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

// A reply with the dew point and the ambient temperature in hundredths.
sim::MeasurementReply Reply(int dewPoint, int ambient) {
    sim::MeasurementReply reply{};
    PutWord(reply, 0, dewPoint);
    PutWord(reply, 14, ambient);
    return reply;
}

void ExpectRelative(const std::optional<double>& got, double expected) {
    ASSERT_TRUE(got.has_value());
    EXPECT_NEAR(*got, expected, std::fabs(expected) * 1e-4);
}

class SessionHumidityTest : public SessionTest {
  protected:
    void Measure(sim::InstrumentSimulator& instrument, SessionOptions options,
                 std::size_t samples) {
        options.ports = {instrument.SlavePath()};
        MakeSessionWith(options);
        QObject::connect(session_.get(), &InstrumentSession::SampleReady,
                         [this](const SampleUpdate& u) { updates_.push_back(u); });
        ASSERT_TRUE(ConnectAndWait());
        ASSERT_TRUE(WaitFor([&] { return updates_.size() >= samples; }));
    }

    SessionOptions Options() const {
        return SessionOptions{{}, QLocale::c(), Path("jrt1.txt"), kQuickWaits, 200ms};
    }

    std::vector<SampleUpdate> updates_;
};

// Td 20 °C, T 30 °C. The simulator's setting is 1.00 bar: 1000 hPa, f = 1.004676; --pressure
// 900 wins over it: f = 1.0043528.
TEST_F(SessionHumidityTest, ThePressureOfTheSettingsUnlessTheCommandLineGivesOne) {
    const struct {
        std::optional<double> commandLine;
        double pressure;
        humidity::PressureSource source;
        double vapourPressure;
        double mixingRatio;
    } cases[] = {
        {std::nullopt, 1000.0, humidity::PressureSource::Instrument, 2350.198, 14.96958},
        {900.0, 900.0, humidity::PressureSource::CommandLine, 2349.442, 16.67195},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pressure);
        sim::InstrumentSimulator& instrument = AddInstrument();
        instrument.SetFixedMeasurement(Reply(2000, 3000));
        SessionOptions options = Options();
        options.pressureHpa = c.commandLine;
        updates_.clear();
        Measure(instrument, options, 2);
        session_->Stop();
        for (const SampleUpdate& u : updates_) {
            SCOPED_TRACE(u.sampleCount);
            ASSERT_TRUE(u.humidity.has_value());
            EXPECT_EQ(u.humidity->quantities.pressureHpa, c.pressure) << "from the first sample";
            EXPECT_EQ(u.humidity->pressureSource, c.source);
            ExpectRelative(u.humidity->quantities.vapourPressurePa, c.vapourPressure);
            ExpectRelative(u.humidity->quantities.mixingRatioGPerKg, c.mixingRatio);
            ExpectRelative(u.humidity->quantities.relativeHumidityCalculated, 55.0816);
        }
        EXPECT_EQ(updates_.back().humidity->statistics.count, updates_.size())
            << "every sample in the window";
    }
}

// An instrument set to °F sends 68.00 / 86.00 for 20 °C / 30 °C; the window keeps °F.
TEST_F(SessionHumidityTest, AnInstrumentInFahrenheit) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    sim::SettingsReply settings = instrument.Settings();
    settings[1] = 6;  // TemperatureUnit: °F
    instrument.SetSettings(settings);
    instrument.SetFixedMeasurement(Reply(6800, 8600));
    Measure(instrument, Options(), 2);
    session_->Stop();
    const SampleUpdate& u = updates_.back();
    ASSERT_TRUE(u.humidity.has_value());
    EXPECT_EQ(u.humidity->scale, humidity::TemperatureScale::Fahrenheit);
    ExpectRelative(u.humidity->quantities.vapourPressurePa, 2350.198);
    ExpectRelative(u.humidity->quantities.relativeHumidityCalculated, 55.0816);
    EXPECT_FALSE(u.humidity->quantities.frostPoint.has_value());
    EXPECT_NEAR(*u.humidity->statistics.mean, 68.0, 1e-9);
}

// New criteria reach the window while measuring; a steady dew point turns stable once the
// (short) window is full, and says since when.
TEST_F(SessionHumidityTest, NewCriteriaTakeEffectWhileMeasuring) {
    sim::InstrumentSimulator& instrument = AddInstrument();
    instrument.SetFixedMeasurement(Reply(-1500, 2000));
    Measure(instrument, Options(), 1);
    EXPECT_EQ(session_->CurrentStabilityCriteria(), humidity::StabilityCriteria{});
    EXPECT_FALSE(session_->SetStabilityCriteria({.windowSeconds = -1.0}));
    const humidity::StabilityCriteria shortWindow{.windowSeconds = 0.3};
    ASSERT_TRUE(session_->SetStabilityCriteria(shortWindow));
    EXPECT_EQ(session_->CurrentStabilityCriteria(), shortWindow);
    ASSERT_TRUE(WaitFor([&] { return updates_.back().humidity->statistics.stable; }));
    session_->Stop();
    const humidity::SampleHumidity& h = *updates_.back().humidity;
    EXPECT_EQ(h.criteria, shortWindow);
    ASSERT_TRUE(h.statistics.stableSince.has_value());
    EXPECT_LE(*h.statistics.stableSince,
              static_cast<double>(updates_.back().dateTime.toMSecsSinceEpoch()) / 1000.0);
    EXPECT_NEAR(*h.statistics.mean, -15.0, 1e-9);
    ASSERT_TRUE(h.quantities.frostPoint.has_value());
    EXPECT_NEAR(*h.quantities.frostPoint, -13.4, 0.05);  // conversion tables: -15 → -13.4
}

}  // namespace
