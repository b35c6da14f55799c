#include "link/telnet_codec.h"

namespace telnet {

std::vector<std::uint8_t> EncodeData(const std::uint8_t* data, std::size_t count) {
    std::vector<std::uint8_t> out;
    out.reserve(count + 4);
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(data[i]);
        if (data[i] == kIac) {
            out.push_back(kIac);
        }
    }
    return out;
}

std::vector<std::uint8_t> EncodeComPortCommand(std::uint8_t command,
                                               const std::vector<std::uint8_t>& value) {
    std::vector<std::uint8_t> out{kIac, kSb, kOptComPort, command};
    const auto body = EncodeData(value.data(), value.size());
    out.insert(out.end(), body.begin(), body.end());
    out.push_back(kIac);
    out.push_back(kSe);
    return out;
}

void Decoder::Feed(const std::uint8_t* bytes, std::size_t count, std::vector<std::uint8_t>* data,
                   std::vector<OptionEvent>* events) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t b = bytes[i];
        switch (state_) {
            case State::Data:
                if (b == kIac) {
                    state_ = State::Iac;
                } else {
                    data->push_back(b);
                }
                break;
            case State::Iac:
                if (b == kIac) {
                    data->push_back(kIac);
                    state_ = State::Data;
                } else if (b == kDo || b == kDont || b == kWill || b == kWont) {
                    verb_ = b;
                    state_ = State::Verb;
                } else if (b == kSb) {
                    sb_ = OptionEvent{kSb, 0, {}};
                    sbHasOption_ = false;
                    state_ = State::Sb;
                } else {
                    // Any other command (NOP, GA, ...) carries nothing for us.
                    state_ = State::Data;
                }
                break;
            case State::Verb:
                events->push_back(OptionEvent{verb_, b, {}});
                state_ = State::Data;
                break;
            case State::Sb:
                if (b == kIac) {
                    state_ = State::SbIac;
                } else if (!sbHasOption_) {
                    sb_.option = b;
                    sbHasOption_ = true;
                } else if (sb_.payload.size() < kMaxSubnegotiation) {
                    sb_.payload.push_back(b);
                }
                break;
            case State::SbIac:
                if (b == kSe) {
                    events->push_back(sb_);
                    sb_ = OptionEvent{};
                    state_ = State::Data;
                } else if (b == kIac) {
                    if (!sbHasOption_) {
                        sb_.option = b;
                        sbHasOption_ = true;
                    } else if (sb_.payload.size() < kMaxSubnegotiation) {
                        sb_.payload.push_back(b);
                    }
                    state_ = State::Sb;
                } else {
                    // A broken subnegotiation: drop it and resume with data.
                    sb_ = OptionEvent{};
                    state_ = State::Data;
                }
                break;
        }
    }
}

}  // namespace telnet
