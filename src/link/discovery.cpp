#include "link/discovery.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 5> kIdentifications = {"01QZT!", "KRT-10", "KRT-30",
                                                              "NIV-Strand", "NIV-Ion   "};

PortProbe ProbePort(InstrumentLink& link, const std::string& port, std::chrono::milliseconds wait) {
    PortProbe probe{port, ProbeResult::NoAnswer, {}, {}};
    Exchange ex = link.BeginExchange();
    if (!ex.OpenInstrumentPort(port, &probe.detail, &probe.failure)) {
        probe.result = probe.failure.reason == PortOpenReason::Interrupted
                           ? ProbeResult::Interrupted
                           : ProbeResult::OpenFailed;
        return probe;
    }
    ex.PutTextCommand(kIdentificationRequest);
    const RequestOutcome outcome = SendWaitRead(ex, RequestShape::Text, wait, true);
    if (outcome == RequestOutcome::Interrupted) {
        ex.CloseInstrumentPort();
        probe.result = ProbeResult::Interrupted;
        return probe;
    }
    if (outcome != RequestOutcome::Replied) {
        ex.CloseInstrumentPort();
        return probe;
    }
    probe.detail = ex.ReplyText();
    if (IsKnownIdentification(probe.detail)) {
        probe.result = ProbeResult::Identified;
        return probe;
    }
    ex.CloseInstrumentPort();
    probe.result = ProbeResult::UnknownReply;
    return probe;
}

}  // namespace

bool IsKnownIdentification(std::string_view reply) {
    for (std::string_view id : kIdentifications) {
        if (reply == id) {
            return true;
        }
    }
    return false;
}

DiscoveryResult DiscoverInstrument(InstrumentLink& link, const std::vector<std::string>& candidates,
                                   const DiscoveryOptions& options) {
    DiscoveryResult result;
    for (int pass = 0; pass < options.passes; ++pass) {
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            const std::string& port = candidates[i];
            if (link.ShuttingDown()) {
                return result;
            }
            if (options.progress) {
                options.progress(i + 1, candidates.size());
            }
            PortProbe probe = ProbePort(link, port, options.wait);
            const ProbeResult outcome = probe.result;
            result.probes.push_back(std::move(probe));
            if (outcome == ProbeResult::Identified) {
                result.found = true;
                result.port = port;
                result.identification = result.probes.back().detail;
                return result;
            }
            if (outcome == ProbeResult::Interrupted) {
                return result;
            }
        }
    }
    return result;
}

InstrumentVersion DecodeVersionReply(std::span<const std::uint8_t> reply) {
    auto at = [&](std::size_t i) -> std::uint8_t { return i < reply.size() ? reply[i] : 0; };
    InstrumentVersion v;
    v.version = at(5);
    v.revision = at(6);
    v.serial = static_cast<std::uint16_t>(at(7) << 8 | at(8));
    return v;
}

VersionReadResult ReadInstrumentVersion(Exchange& exchange, std::chrono::milliseconds wait) {
    VersionReadResult result;
    exchange.PutTextCommand(kVersionRequest);
    result.outcome = SendWaitRead(exchange, RequestShape::Text, wait);
    result.version = DecodeVersionReply(exchange.ReplyBuffer());
    return result;
}
