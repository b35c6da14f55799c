#include "sim/protocol.h"

namespace sim {

std::string_view ToString(RequestKind kind) {
    switch (kind) {
        case RequestKind::Identification:
            return "identification";
        case RequestKind::Version:
            return "version";
        case RequestKind::Measurement:
            return "measurement";
        case RequestKind::SettingsRead:
            return "settings read";
        case RequestKind::LoggerRecord:
            return "logger record";
        case RequestKind::SettingsFrame:
            return "settings frame";
    }
    return "unknown";
}

Bytes ToBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes TextRequest(char letter) {
    return Bytes{'0', '1', static_cast<std::uint8_t>(letter), '?', 'e', 'n', 'd'};
}

Bytes LoggerRequest(std::uint8_t recordNumber) {
    return Bytes{'0', '1', 'r', recordNumber, '?', 'e', 'n', 'd'};
}

}  // namespace sim
