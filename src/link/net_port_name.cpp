#include "link/net_port_name.h"

namespace {

constexpr std::string_view kRfc2217 = "rfc2217://";
constexpr std::string_view kTcp = "tcp://";

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool IsNetPortName(std::string_view name) {
    return StartsWith(name, kRfc2217) || StartsWith(name, kTcp);
}

std::optional<NetPortName> ParseNetPortName(std::string_view name) {
    NetPortName out;
    std::string_view rest;
    if (StartsWith(name, kRfc2217)) {
        out.rfc2217 = true;
        rest = name.substr(kRfc2217.size());
    } else if (StartsWith(name, kTcp)) {
        rest = name.substr(kTcp.size());
    } else {
        return std::nullopt;
    }
    std::string_view host;
    std::string_view port;
    if (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']');
        if (close == std::string_view::npos || rest.substr(close + 1, 1) != ":") {
            return std::nullopt;
        }
        host = rest.substr(1, close - 1);
        port = rest.substr(close + 2);
    } else {
        const auto colon = rest.rfind(':');
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        host = rest.substr(0, colon);
        port = rest.substr(colon + 1);
        if (host.find(':') != std::string_view::npos) {
            return std::nullopt;
        }
    }
    if (host.empty() || port.empty() || port.size() > 5) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char c : port) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > 65535) {
        return std::nullopt;
    }
    out.host = std::string(host);
    out.service = std::string(port);
    return out;
}
