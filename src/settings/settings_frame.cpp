#include "settings/settings_frame.h"

#include <algorithm>
#include <string_view>

#include "link/instrument_link.h"

namespace {

// The instrument reads unit codes at the head of the frame offset by this much.
constexpr int kUnitCodeOffset = 30;
constexpr std::uint8_t kLetterK = 0x6B;
constexpr std::uint8_t kLetterJ = 0x6A;

class FrameWriter {
  public:
    explicit FrameWriter(SettingsFrame& frame) : frame_(frame) {}

    void Byte(std::uint8_t value) {
        if (next_ < frame_.size()) {
            frame_[next_++] = value;
        }
    }

    void Word(std::int16_t value) {
        const auto bits = static_cast<std::uint16_t>(value);
        Byte(static_cast<std::uint8_t>(bits >> 8));
        Byte(static_cast<std::uint8_t>(bits & 0xFF));
    }

    void Text(std::string_view text) {
        for (char c : text) {
            Byte(static_cast<std::uint8_t>(c));
        }
    }

  private:
    SettingsFrame& frame_;
    std::size_t next_ = 0;
};

std::uint8_t UnitCodeForHead(std::uint8_t code) {
    return static_cast<std::uint8_t>(code + kUnitCodeOffset);
}

}  // namespace

SettingsFrame EncodeSettingsFrame(const InstrumentSettings& s) {
    SettingsFrame frame{};
    FrameWriter out(frame);
    out.Text("01m");
    out.Byte(UnitCodeForHead(s.DisplayUnit));
    out.Byte(UnitCodeForHead(s.TemperatureUnit));
    out.Byte(s.Alarm1Mode);
    out.Byte(s.Alarm2Mode);
    out.Byte(s.DisplayUnit);
    out.Byte(s.TemperatureUnit);
    out.Word(s.Alarm1High);
    out.Byte(s.Alarm1HighExtra);
    out.Word(s.Alarm1Low);
    out.Byte(s.Alarm1LowExtra);
    out.Word(s.Alarm2High);
    out.Byte(kLetterK);
    out.Word(s.Alarm2Low);
    out.Byte(kLetterK);
    out.Byte(s.Output1Type);
    out.Byte(s.Output2Type);
    out.Byte(kLetterJ);
    out.Byte(kLetterJ);
    out.Word(s.Output1Min);
    out.Byte(s.Output1MinExtra);
    out.Word(s.Output1Max);
    out.Byte(s.Output1MaxExtra);
    out.Word(s.Output2Min);
    out.Byte(kLetterK);
    out.Word(s.Output2Max);
    out.Byte(kLetterK);
    out.Word(s.CleaningInterval);
    out.Byte(s.Buzzer);
    out.Byte(s.LoggerMode);
    out.Byte(s.RecordInterval);
    out.Byte(s.RecordIntervalAl1);
    out.Byte(s.RecordIntervalAl2);
    out.Word(s.ManualTemperature);
    out.Word(s.Pressure);
    out.Text("end");
    return frame;
}

bool IsSettingsAcknowledged(std::span<const std::uint8_t> reply, std::size_t received) {
    const auto available = reply.first(std::min(received, reply.size()));
    const auto end = std::find(available.begin(), available.end(), std::uint8_t{0});
    constexpr std::string_view kAck = "OK";
    return std::equal(
        available.begin(), end, kAck.begin(), kAck.end(),
        [](std::uint8_t got, char want) { return got == static_cast<std::uint8_t>(want); });
}
