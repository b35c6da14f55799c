#include "link/discovery.h"

#include <array>
#include <chrono>

using namespace std::chrono_literals;

namespace {

constexpr std::array<std::string_view, 5> kIdentifications = {"01QZT!", "KRT-10", "KRT-30",
                                                              "NIV-Strand", "NIV-Ion   "};
constexpr int kPasses = 2;

PortProbe ProbePort(InstrumentLink& link, const std::string& port) {
    PortProbe probe{port, ProbeResult::NoAnswer, {}};
    Exchange ex = link.BeginExchange();
    if (!ex.OpenInstrumentPort(port, &probe.detail)) {
        probe.result = ProbeResult::OpenFailed;
        return probe;
    }
    ex.PutTextCommand("01i?end");
    ex.SendTextCommand();
    ex.ClearBuffers();
    if (!ex.Sleep(200ms)) {
        ex.CloseInstrumentPort();
        probe.result = ProbeResult::Interrupted;
        return probe;
    }
    if (!ex.ReadReply(kReplyBufferSize)) {
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

DiscoveryResult DiscoverInstrument(InstrumentLink& link,
                                   const std::vector<std::string>& candidates) {
    DiscoveryResult result;
    for (int pass = 0; pass < kPasses; ++pass) {
        for (const std::string& port : candidates) {
            PortProbe probe = ProbePort(link, port);
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

InstrumentVersion ReadInstrumentVersion(Exchange& exchange) {
    exchange.PutTextCommand("01v?end");
    exchange.SendTextCommand();
    exchange.Sleep(300ms);
    exchange.ReadReply(kReplyBufferSize);
    return DecodeVersionReply(exchange.ReplyBuffer());
}
