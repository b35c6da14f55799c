#include "sim/sim_commands.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

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
constexpr long kLongestFaultDelayMs = 60000;
constexpr long kLongestOverLong = 4096;
constexpr long kMostAnswers = 1000000;

// A whole decimal number within lowest..highest, the whole text.
std::optional<long> ParseWhole(std::string_view text, long lowest, long highest) {
    const std::string digits(text);
    if (digits.empty() || digits.size() > 12 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const long value = std::strtol(digits.c_str(), nullptr, 10);
    if (value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

// The words of a command's argument, split at single blanks.
std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        words.push_back(text.substr(0, blank));
        if (blank == std::string_view::npos) {
            break;
        }
        text.remove_prefix(blank + 1);
    }
    return words;
}

// How many answers a fault takes: the word at `index` (a number or "every"), "every" when
// there is none; empty when it is neither or more words follow.
std::optional<int> ParseAnswers(const std::vector<std::string_view>& words, std::size_t index) {
    if (words.size() > index + 1) {
        return std::nullopt;
    }
    if (words.size() <= index || words[index] == "every") {
        return InstrumentSimulator::kEvery;
    }
    const std::optional<long> count = ParseWhole(words[index], 1, kMostAnswers);
    if (!count) {
        return std::nullopt;
    }
    return static_cast<int>(*count);
}

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
    if (name == "silent" || name == "slow" || name == "split" || name == "over-long" ||
        name == "short") {
        return RunFault(name, hasArgument ? Words(argument) : std::vector<std::string_view>());
    }
    if (name == "faults") {
        if (argument != "off") {
            return Error("faults takes off");
        }
        simulator_.ClearFaults();
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

std::string SimCommands::RunFault(std::string_view name,
                                  const std::vector<std::string_view>& words) {
    if (name == "silent") {
        const std::optional<int> answers = ParseAnswers(words, 0);
        if (!answers) {
            return Error("silent takes a number of answers or every");
        }
        simulator_.SetSilent(*answers);
        return Ok();
    }
    if (name == "slow") {
        const std::optional<long> ms =
            words.empty() ? std::nullopt : ParseWhole(words[0], 0, kLongestFaultDelayMs);
        const std::optional<int> answers = ParseAnswers(words, 1);
        if (!ms || !answers) {
            return Error(
                "slow needs a delay of 0 to 60000 milliseconds, then a number of "
                "answers or every");
        }
        simulator_.SetSlow(std::chrono::milliseconds(*ms), *answers);
        return Ok();
    }
    if (name == "split") {
        const std::optional<long> bytes =
            words.empty() ? std::nullopt : ParseWhole(words[0], 0, kLongestOverLong);
        const std::optional<long> ms =
            words.size() < 2 ? std::nullopt : ParseWhole(words[1], 0, kLongestFaultDelayMs);
        const std::optional<int> answers = ParseAnswers(words, 2);
        if (!bytes || !ms || !answers) {
            return Error(
                "split needs a first part of 0 to 4096 bytes and a gap of 0 to 60000 "
                "milliseconds, then a number of answers or every");
        }
        simulator_.SetSplit(static_cast<std::size_t>(*bytes), std::chrono::milliseconds(*ms),
                            *answers);
        return Ok();
    }
    const bool overLong = name == "over-long";
    const std::optional<long> bytes =
        words.empty() ? std::nullopt : ParseWhole(words[0], 0, kLongestOverLong);
    const std::optional<int> answers = ParseAnswers(words, 1);
    if (!bytes || !answers) {
        return Error(std::string(name) +
                     " needs a length of 0 to 4096 bytes, then a number of answers or every");
    }
    if (overLong) {
        simulator_.SetOverLong(static_cast<std::size_t>(*bytes), *answers);
    } else {
        simulator_.SetShort(static_cast<std::size_t>(*bytes), *answers);
    }
    return Ok();
}

}  // namespace sim
