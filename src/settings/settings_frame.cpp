#include "settings/settings_frame.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "settings/settings_table.h"

namespace {

// The frame's bytes that no setting fills: the address and command, letters where the reply
// has bytes that are never read, and the trailer.
struct FixedText {
    std::size_t offset;
    std::string_view text;
};
constexpr std::array<FixedText, 7> kFixedTexts = {{
    {0, "01m"},
    {17, "k"},
    {20, "k"},
    {23, "jj"},
    {33, "k"},
    {36, "k"},
    {kSettingsFrameSize - 3, "end"},
}};

// Each byte of the frame is laid once: by a fixed text, by one setting, or by a unit code in
// the head.
constexpr bool EveryByteIsLaidOnce() {
    std::array<int, kSettingsFrameSize> laid{};
    const auto lay = [&laid](std::size_t offset, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (offset + i >= laid.size() || laid[offset + i]++ != 0) {
                return false;
            }
        }
        return true;
    };
    bool once = true;
    for (const FixedText& fixed : kFixedTexts) {
        once = lay(fixed.offset, fixed.text.size()) && once;
    }
    for (const SettingsEntry& setting : kSettingsTable) {
        once = lay(setting.frame, setting.Width()) && once;
        if (setting.frameHead) {
            once = setting.byte != nullptr && lay(*setting.frameHead, 1) && once;
        }
    }
    for (int count : laid) {
        once = count == 1 && once;
    }
    return once;
}
static_assert(EveryByteIsLaidOnce());

void PutText(SettingsFrame& frame, const FixedText& fixed) {
    for (std::size_t i = 0; i < fixed.text.size(); ++i) {
        frame[fixed.offset + i] = static_cast<std::uint8_t>(fixed.text[i]);
    }
}

}  // namespace

SettingsFrame EncodeSettingsFrame(const InstrumentSettings& s) {
    SettingsFrame frame{};
    for (const FixedText& fixed : kFixedTexts) {
        PutText(frame, fixed);
    }
    for (const SettingsEntry& setting : kSettingsTable) {
        if (setting.byte != nullptr) {
            const std::uint8_t code = s.*(setting.byte);
            frame[setting.frame] = code;
            if (setting.frameHead) {
                frame[*setting.frameHead] =
                    static_cast<std::uint8_t>(code + kSettingsFrameHeadCodeOffset);
            }
        } else {
            const auto bits = static_cast<std::uint16_t>(s.*(setting.word));
            frame[setting.frame] = static_cast<std::uint8_t>(bits >> 8);
            frame[setting.frame + 1] = static_cast<std::uint8_t>(bits & 0xFF);
        }
    }
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
