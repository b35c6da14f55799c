#pragma once
// Finding the instrument: each candidate port is opened and asked "01i?end"; the first
// whose reply is one of the known identifications wins and stays open.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/instrument_link.h"

enum class ProbeResult { OpenFailed, NoAnswer, UnknownReply, Identified, Interrupted };

struct PortProbe {
    std::string port;
    ProbeResult result = ProbeResult::NoAnswer;
    std::string detail;  // why the open failed, or the reply text that was not recognised
};

struct DiscoveryResult {
    bool found = false;
    std::string port;
    std::string identification;
    std::vector<PortProbe> probes;  // every attempt, in order
};

// Exact, case-sensitive comparison with the five identifications the instrument family uses.
bool IsKnownIdentification(std::string_view reply);

// Two passes over `candidates` (the second gives a slow instrument another chance); stops
// at the first port that identifies itself, which is left open in `link`.
DiscoveryResult DiscoverInstrument(InstrumentLink& link,
                                   const std::vector<std::string>& candidates);

struct InstrumentVersion {
    std::uint8_t version = 0;
    std::uint8_t revision = 0;
    std::uint16_t serial = 0;
};

// Version at byte 5, revision at 6, serial number at 7-8 high byte first.
InstrumentVersion DecodeVersionReply(std::span<const std::uint8_t> reply);

// "01v?end", 300 ms, read; the reply buffer is not cleared first, so positions a short
// reply leaves unfilled still hold the identification reply.
InstrumentVersion ReadInstrumentVersion(Exchange& exchange);
