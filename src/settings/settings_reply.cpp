#include "settings/settings_reply.h"

#include "settings/settings_table.h"

namespace {

class ReplyReader {
  public:
    explicit ReplyReader(std::span<const std::uint8_t> reply) : reply_(reply) {}

    std::uint8_t Byte(std::size_t offset) const {
        return offset < reply_.size() ? reply_[offset] : std::uint8_t{0};
    }

    std::int16_t Word(std::size_t offset) const {
        const auto bits = static_cast<std::uint16_t>((Byte(offset) << 8) | Byte(offset + 1));
        return static_cast<std::int16_t>(bits);
    }

  private:
    std::span<const std::uint8_t> reply_;
};

}  // namespace

SettingsReplyStatus ClassifySettingsReply(std::size_t received) {
    if (received == 0) {
        return SettingsReplyStatus::Missing;
    }
    return received < kSettingsReplyLength ? SettingsReplyStatus::Short
                                           : SettingsReplyStatus::Complete;
}

InstrumentSettings DecodeSettingsReply(std::span<const std::uint8_t> reply) {
    const ReplyReader in(reply);
    InstrumentSettings s;
    for (const SettingsEntry& setting : kSettingsTable) {
        if (setting.byte != nullptr) {
            s.*(setting.byte) = in.Byte(setting.reply);
        } else {
            s.*(setting.word) = in.Word(setting.reply);
        }
    }
    return s;
}
