#include "settings/settings_reply.h"

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
    s.DisplayUnit = in.Byte(0);
    s.TemperatureUnit = in.Byte(1);
    s.Alarm1Mode = in.Byte(2);
    s.Alarm2Mode = in.Byte(3);
    s.Alarm1High = in.Word(6);
    s.Alarm1HighExtra = in.Byte(8);
    s.Alarm1Low = in.Word(9);
    s.Alarm1LowExtra = in.Byte(11);
    s.Alarm2High = in.Word(12);
    s.Alarm2Low = in.Word(15);
    s.Output1Type = in.Byte(18);
    s.Output2Type = in.Byte(19);
    s.Output1Min = in.Word(22);
    s.Output1MinExtra = in.Byte(24);
    s.Output1Max = in.Word(25);
    s.Output1MaxExtra = in.Byte(27);
    s.Output2Min = in.Word(28);
    s.Output2Max = in.Word(31);
    s.CleaningInterval = in.Word(34);
    s.Buzzer = in.Byte(40);
    s.LoggerMode = in.Byte(41);
    s.RecordInterval = in.Byte(42);
    s.RecordIntervalAl1 = in.Byte(43);
    s.RecordIntervalAl2 = in.Byte(44);
    s.ManualTemperature = in.Word(45);
    s.Pressure = in.Word(47);
    return s;
}
