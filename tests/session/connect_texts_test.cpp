// Texts of the connect handler that carry the instrument's bytes or the scan's outcome.
#include <gtest/gtest.h>

#include "common/language.h"
#include "session/connect_texts.h"

namespace {

TEST(ConnectTexts, VersionTextInBothLanguages) {
    const InstrumentVersion v{1, 2, 300};
    EXPECT_EQ(VersionText(v), "KRT-10 wersja: 1 rewizja: 2 numer seyjny: 300");
    EXPECT_EQ(InEnglish([&] { return VersionText(v); }),
              "KRT-10 version: 1 rev.: 2 serial number: 300");
    EXPECT_EQ(VersionText(DecodeVersionReply(std::vector<std::uint8_t>(9, 0xFF))),
              "KRT-10 wersja: 255 rewizja: 255 numer seyjny: 65535");
}

TEST(ConnectTexts, ControlBytesOfAReplyAreShownVisibly) {
    const struct {
        std::string bytes;
        const char* shown;
    } cases[] = {
        {"KRT-10\r\n", "KRT-10\\r\\n"},
        {std::string("a\x01\x7f"
                     "b",
                     4),
         "a\\x01\\x7fb"},
        {"tab\there", "tab\\there"},
        {"Łódź", "Łódź"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(VisibleText(c.bytes), QString::fromUtf8(c.shown));
    }
}

TEST(ConnectTexts, NotFoundDetailsListEachPortOnceWithItsLastOutcome) {
    DiscoveryResult result;
    result.probes = {
        {"/dev/ttyS0", ProbeResult::OpenFailed, "Permission denied"},
        {"/dev/ttyUSB0", ProbeResult::NoAnswer, ""},
        {"/dev/ttyS0", ProbeResult::OpenFailed, "Permission denied"},
        {"/dev/ttyUSB0", ProbeResult::UnknownReply, "KRT-10\r\n"},
    };
    EXPECT_EQ(NotFoundDetails(result),
              "/dev/ttyS0: nie można otworzyć (Permission denied)\n"
              "/dev/ttyUSB0: nieznana odpowiedź \"KRT-10\\r\\n\"");
    EXPECT_EQ(InEnglish([&] { return NotFoundDetails(result); }),
              "/dev/ttyS0: could not be opened (Permission denied)\n"
              "/dev/ttyUSB0: unknown reply \"KRT-10\\r\\n\"");
    EXPECT_EQ(InEnglish([&] { return NotFoundDetails(DiscoveryResult{}); }),
              "No serial port was found to try.");
}

}  // namespace
