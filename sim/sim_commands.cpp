#include "sim/sim_commands.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "sim/hex_text.h"

namespace sim {

namespace {

std::string Ok(const std::string& data = {}) {
    return data.empty() ? "ok" : "ok " + data;
}

std::string Error(const std::string& why) {
    return "error " + why;
}

constexpr auto kReplugWait = std::chrono::seconds(2);
constexpr long kLongestReplugMs = 3600000;
constexpr double kFastestDewDrift = 3600.0;  // °C an hour

}  // namespace

std::optional<double> ParseDecimal(std::string_view text, double lowest, double highest) {
    const std::string digits(text);
    if (digits.empty() || digits.size() > 32 ||
        digits.find_first_not_of("+-.0123456789") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value) || value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

SimCommands::SimCommands(InstrumentSimulator& simulator)
    : simulator_(simulator),
      initialIdentification_(simulator.Identification()),
      initialDewPointCourse_(simulator.GetDewPointCourse()) {}

std::string SimCommands::Run(std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    const std::size_t space = line.find(' ');
    const std::string_view name = line.substr(0, space);
    const bool hasArgument = space != std::string_view::npos;
    const std::string_view argument = hasArgument ? line.substr(space + 1) : std::string_view();

    auto noArgument = [&](auto action) {
        if (hasArgument) {
            return Error(std::string(name) + " takes no argument");
        }
        return action();
    };
    auto bytesArgument = [&]() -> std::optional<Bytes> {
        return hasArgument && !argument.empty() ? FromHex(argument) : std::nullopt;
    };

    if (name == "reset") {
        return noArgument([&] {
            simulator_.ClearFaults();
            simulator_.ClearFixedMeasurement();
            simulator_.SetIdentification(initialIdentification_);
            simulator_.SetDewPointCourse(initialDewPointCourse_);
            simulator_.DiscardUnreadReplies();
            simulator_.ClearRequests();
            if (!simulator_.IsPlugged()) {
                simulator_.Replug();
                if (!simulator_.WaitUntilPlugged(kReplugWait)) {
                    return Error("the instrument could not be plugged in again");
                }
            }
            return Ok();
        });
    }
    if (name == "answers") {
        if (argument == "on") {
            simulator_.SetSilent(0);
            return Ok();
        }
        if (argument == "off") {
            simulator_.SetSilent(InstrumentSimulator::kEvery);
            return Ok();
        }
        return Error("answers takes on or off");
    }
    if (name == "id") {
        if (!hasArgument) {
            return Error("id needs a text");
        }
        simulator_.SetIdentification(std::string(argument));
        return Ok();
    }
    if (name == "measurement") {
        const std::optional<Bytes> bytes = bytesArgument();
        if (!bytes || bytes->size() != kMeasurementReplySize) {
            return Error("measurement needs 32 bytes in hexadecimal");
        }
        MeasurementReply reply{};
        std::copy(bytes->begin(), bytes->end(), reply.begin());
        simulator_.SetFixedMeasurement(reply);
        return Ok();
    }
    if (name == "send") {
        std::optional<Bytes> bytes = bytesArgument();
        if (!bytes) {
            return Error("send needs bytes in hexadecimal");
        }
        if (!simulator_.Transmit(std::move(*bytes))) {
            return Error("the instrument could not send");
        }
        return Ok();
    }
    if (name == "received") {
        return noArgument([&] { return Ok(ToHex(simulator_.ReceivedBytes())); });
    }
    if (name == "clear") {
        return noArgument([&] {
            simulator_.ClearRequests();
            return Ok();
        });
    }
    if (name == "unplug") {
        return noArgument(
            [&] { return simulator_.Unplug() ? Ok() : Error("the instrument is not plugged in"); });
    }
    if (name == "replug") {
        const std::string digits(argument);
        char* end = nullptr;
        const long ms = std::strtol(digits.c_str(), &end, 10);
        if (digits.empty() || *end != '\0' || ms < 0 || ms > kLongestReplugMs) {
            return Error("replug needs a delay of 0 to 3600000 milliseconds");
        }
        simulator_.Replug(std::chrono::milliseconds(ms));
        return Ok();
    }
    if (name == "dew-point") {
        if (argument == "wander") {
            simulator_.ClearDewPointCourse();
            return Ok();
        }
        const std::optional<double> celsius =
            ParseDecimal(argument, kLowestDewPoint, kHighestDewPoint);
        if (!celsius) {
            return Error("dew-point needs wander or degrees C from -100 to 100");
        }
        simulator_.HoldDewPoint(*celsius);
        return Ok();
    }
    if (name == "dew-drift") {
        const std::optional<double> rate =
            ParseDecimal(argument, -kFastestDewDrift, kFastestDewDrift);
        if (!rate) {
            return Error("dew-drift needs degrees C an hour from -3600 to 3600");
        }
        simulator_.DriftDewPoint(*rate);
        return Ok();
    }
    return Error("unknown command: " + std::string(name));
}

}  // namespace sim
