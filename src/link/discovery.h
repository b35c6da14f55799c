#pragma once
// Finding the instrument: each candidate port is opened and asked "01i?end"; the first
// whose reply is one of the known identifications wins and stays open.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/instrument_link.h"
#include "link/instrument_protocol.h"

enum class ProbeResult { OpenFailed, NoAnswer, UnknownReply, Identified, Interrupted };

struct PortProbe {
    std::string port;
    ProbeResult result = ProbeResult::NoAnswer;
    std::string detail;         // why the open failed, or the reply text that was not recognised
    PortOpenFailure failure{};  // what the failed open was, for words in the program's language
};

struct DiscoveryResult {
    bool found = false;
    std::string port;
    std::string identification;
    std::vector<PortProbe> probes;  // every attempt, in order
};

// Exact, case-sensitive comparison with the five identifications the instrument family uses.
bool IsKnownIdentification(std::string_view reply);

struct DiscoveryOptions {
    // The second pass gives a slow instrument another chance.
    int passes = 2;
    std::chrono::milliseconds wait = kInstrumentWaits.identification;
    // Called before each port is tried, with its place in `candidates` (1-based) and their
    // number; on the thread that scans.
    std::function<void(std::size_t place, std::size_t count)> progress;
};

// Passes over `candidates`; stops at the first port that identifies itself, which is left
// open in `link`. Each attempt is one exchange, so other exchanges may run between them.
DiscoveryResult DiscoverInstrument(InstrumentLink& link, const std::vector<std::string>& candidates,
                                   const DiscoveryOptions& options = {});

struct InstrumentVersion {
    std::uint8_t version = 0;
    std::uint8_t revision = 0;
    std::uint16_t serial = 0;
};

// Version at byte 5, revision at 6, serial number at 7-8 high byte first.
InstrumentVersion DecodeVersionReply(std::span<const std::uint8_t> reply);

struct VersionReadResult {
    InstrumentVersion version;
    RequestOutcome outcome = RequestOutcome::NoReply;
};

// "01v?end", the wait, read; the reply buffer is not cleared first, so positions a short
// reply leaves unfilled still hold the identification reply.
VersionReadResult ReadInstrumentVersion(Exchange& exchange,
                                        std::chrono::milliseconds wait = kInstrumentWaits.version);
