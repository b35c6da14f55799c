// The instrument's replies as they lie in the 512-byte reply buffer: a new reply of any
// length read over whatever an earlier exchange left there, decoded by every decoder the
// way its exchange does it.
//
// Input: two bytes (high first) for the number of bytes the port holds, those bytes, then
// the buffer's earlier content.

#include <QList>
#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/discovery.h"
#include "link/instrument_link.h"
#include "logger/logger_record.h"
#include "measure/measurement_record.h"
#include "settings/settings_frame.h"
#include "settings/settings_reply.h"
#include "settings/settings_tab.h"
#include "settings/settings_table.h"
#include "support/frame_fields.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"
#include "support/fuzz_locales.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The identifications of the instrument family; a reply names the instrument only when it
// is one of them exactly.
constexpr std::array<std::string_view, 5> kIdentifications = {"01QZT!", "KRT-10", "KRT-30",
                                                              "NIV-Strand", "NIV-Ion   "};

// Heap copies of exactly the bytes a decoder is given, so that a read past them is caught.
Bytes Head(std::span<const std::uint8_t> bytes, std::size_t count) {
    return Bytes(bytes.begin(),
                 bytes.begin() + static_cast<std::ptrdiff_t>(std::min(count, bytes.size())));
}

// The bytes that arrived, with zeros where the reply did not reach.
Bytes ZeroPadded(const Bytes& arrived, std::size_t length) {
    Bytes padded = arrived;
    padded.resize(std::max(length, arrived.size()), 0);
    return padded;
}

void CheckText(const std::string& text, const Bytes& buffer) {
    const auto zero = std::find(buffer.begin(), buffer.end(), std::uint8_t{0});
    FUZZ_CHECK(text.size() <= kReplyBufferSize);
    FUZZ_CHECK(text == std::string(buffer.begin(), zero));
    const bool known = IsKnownIdentification(text);
    FUZZ_CHECK(known == (std::find(kIdentifications.begin(), kIdentifications.end(), text) !=
                         kIdentifications.end()));
    if (known) {
        FUZZ_CHECK(!IsKnownIdentification(text + ' ') && !IsKnownIdentification(text + '\0'));
        FUZZ_CHECK(!IsKnownIdentification(std::string_view(text).substr(0, text.size() - 1)));
    }
}

void CheckMeasurement(const Bytes& buffer, const Bytes& arrived) {
    const MeasurementSample sample = DecodeMeasurement(buffer);
    FUZZ_CHECK(sample == DecodeMeasurement(Head(buffer, kMeasurementReplySize)));
    FUZZ_CHECK(DecodeMeasurement(arrived) ==
               DecodeMeasurement(ZeroPadded(arrived, kMeasurementReplySize)));
}

void CheckVersion(const Bytes& buffer, const Bytes& arrived) {
    const InstrumentVersion v = DecodeVersionReply(buffer);
    FUZZ_CHECK(v.version == buffer[5] && v.revision == buffer[6]);
    FUZZ_CHECK(v.serial == (buffer[7] << 8 | buffer[8]));
    const InstrumentVersion head = DecodeVersionReply(Head(buffer, 9));
    FUZZ_CHECK(head.version == v.version && head.revision == v.revision && head.serial == v.serial);
    const InstrumentVersion fromArrived = DecodeVersionReply(arrived);
    const InstrumentVersion padded = DecodeVersionReply(ZeroPadded(arrived, 9));
    FUZZ_CHECK(fromArrived.version == padded.version && fromArrived.revision == padded.revision &&
               fromArrived.serial == padded.serial);
}

void CheckLoggerTexts(const LoggerRecord& r, int requested) {
    const LoggerTabTexts tab = FormatLoggerTab(r);
    FUZZ_CHECK(tab.RecordNumber == QString::number(r.RecordNumber));
    FUZZ_CHECK(tab.ObjectId == QString::number(r.ObjectId));
    FUZZ_CHECK(tab.Humidity == QString::number(r.Humidity));
    FUZZ_CHECK(tab.Temperature == QString::number(r.Temperature));
    FUZZ_CHECK(tab.Status == QString::number(r.Status));
    FUZZ_CHECK(tab.Date == QStringLiteral("%1/%2/20%3").arg(r.Day).arg(r.Month).arg(r.YearCount));
    FUZZ_CHECK(tab.Time == QStringLiteral("%1:%2:%3").arg(r.Hours).arg(r.Minutes).arg(r.Seconds));

    const QByteArray line = LoggerDumpLine(requested, r);
    FUZZ_CHECK(line.endsWith("\r\n"));
    const QByteArray body = line.chopped(2);
    FUZZ_CHECK(!body.contains('\r') && !body.contains('\n'));
    for (const char c : line) {
        FUZZ_CHECK(static_cast<unsigned char>(c) < 0x80);
    }
    const QList<QByteArray> fields = body.split('\t');
    FUZZ_CHECK(fields.size() == 7);
    FUZZ_CHECK(fields[0] == QByteArray::number(requested));
    FUZZ_CHECK(fields[1] == "20" + QByteArray::number(r.YearCount) + '-' +
                                QByteArray::number(r.Month) + '-' + QByteArray::number(r.Day));
    FUZZ_CHECK(fields[2] == tab.Time.toLatin1());
    FUZZ_CHECK(fields[3] == QByteArray::number(r.Humidity));
    FUZZ_CHECK(fields[4] == QByteArray::number(r.Temperature));
    FUZZ_CHECK(fields[5] == QByteArray::number(r.ObjectId));
    FUZZ_CHECK(fields[6] == QByteArray::number(r.Status));
}

void CheckLogger(const Bytes& buffer, const Bytes& arrived) {
    const LoggerRecord r = DecodeLoggerRecord(buffer);
    FUZZ_CHECK(r == DecodeLoggerRecord(Head(buffer, kLoggerReplySize)));
    FUZZ_CHECK(DecodeLoggerRecord(arrived) ==
               DecodeLoggerRecord(ZeroPadded(arrived, kLoggerReplySize)));
    FUZZ_CHECK(r.Hours <= 31 && r.Minutes <= 63 && r.Seconds <= 62 && r.Seconds % 2 == 0);
    FUZZ_CHECK(r.YearCount <= 127 && r.Month <= 15 && r.Day <= 31);
    FUZZ_CHECK(r.Status == buffer[4] && r.ObjectId == buffer[9] && r.RecordNumber == buffer[10]);
    CheckLoggerTexts(r, buffer[10]);
}

// The first list the Save reads that shows no item, if any.
std::optional<SettingsField> FirstUnselectedList(const SettingsTabValues& tab) {
    for (const SettingsField field : kSaveOrder) {
        const SettingsEntry& setting = SettingOf(field);
        if (setting.kind == SettingsKind::List && tab.*(setting.index) < 0) {
            return field;
        }
    }
    return std::nullopt;
}

// What the tab shows and a Save then takes back: everything as read, except that a code the
// list shows as its nearest item below (an output range) comes back as that item's code.
void CheckTabRoundTrip(const InstrumentSettings& read, const QLocale& locale) {
    const SettingsTabValues tab = SettingsToTab(read, locale);
    const SaveResult saved = TabToSettings(tab, read, locale);
    if (const std::optional<SettingsField> unselected = FirstUnselectedList(tab)) {
        const SaveError* error = std::get_if<SaveError>(&saved);
        FUZZ_CHECK(error && error->field == *unselected);
        return;
    }
    const InstrumentSettings* settings = std::get_if<InstrumentSettings>(&saved);
    FUZZ_CHECK(settings);
    InstrumentSettings expected = read;
    for (const SettingsEntry& setting : kSettingsTable) {
        if (setting.kind == SettingsKind::List) {
            const SettingsItemList& list = *setting.list;
            const int code = read.*(setting.byte);
            expected.*(setting.byte) =
                static_cast<std::uint8_t>((code - list.base) / list.step * list.step + list.base);
        }
    }
    FUZZ_CHECK(*settings == expected);
    FUZZ_CHECK(SettingsToTab(*settings, locale) == tab);
}

void CheckSettings(const Bytes& buffer, const Bytes& arrived) {
    const InstrumentSettings s = DecodeSettingsReply(arrived);
    FUZZ_CHECK(s == DecodeSettingsReply(ZeroPadded(arrived, kSettingsReplyLength)));
    FUZZ_CHECK(DecodeSettingsReply(buffer) ==
               DecodeSettingsReply(Head(buffer, kSettingsReplyLength)));
    const SettingsReplyStatus status = ClassifySettingsReply(arrived.size());
    FUZZ_CHECK((status == SettingsReplyStatus::Missing) == arrived.empty());
    FUZZ_CHECK((status == SettingsReplyStatus::Complete) ==
               (arrived.size() >= kSettingsReplyLength));
    if (status == SettingsReplyStatus::Complete) {
        FUZZ_CHECK(s == DecodeSettingsReply(buffer));
    }
    // Written back unchanged, the frame carries every field the reply gave.
    const SettingsFrame frame = EncodeSettingsFrame(s);
    FUZZ_CHECK(SettingsFromFrame(frame) == s);
    FUZZ_CHECK(FrameFixedBytesInPlace(frame));
    const auto locales = FuzzLocales();
    CheckTabRoundTrip(s, locales[kCLocale].locale);
    CheckTabRoundTrip(s, locales[kPolishLocale].locale);
}

void CheckAcknowledgement(const Bytes& buffer, std::size_t received, std::size_t waiting) {
    const Bytes arrived = Head(buffer, received);
    const auto zero = std::find(arrived.begin(), arrived.end(), std::uint8_t{0});
    const bool expected = std::string(arrived.begin(), zero) == "OK";
    FUZZ_CHECK(IsSettingsAcknowledged(buffer, received) == expected);
    FUZZ_CHECK(IsSettingsAcknowledged(arrived, waiting) == expected);
    // A count past the buffer looks at the buffer only.
    FUZZ_CHECK(IsSettingsAcknowledged(buffer, waiting) ==
               IsSettingsAcknowledged(buffer, std::min(waiting, buffer.size())));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::size_t waiting = in.Word();
    const auto reply = in.Bytes(waiting);
    const auto earlier = in.Rest();

    // Laid into the link's own buffer the way ReadReply leaves it.
    InstrumentLink link;
    Exchange exchange = link.BeginExchange();
    ReplyBytes& replyBuffer = exchange.ReplyBuffer();
    std::copy_n(earlier.begin(), std::min(earlier.size(), kReplyBufferSize), replyBuffer.begin());
    const std::size_t received = std::min(reply.size(), kReplyBufferSize);
    std::copy_n(reply.begin(), received, replyBuffer.begin());

    const Bytes buffer(replyBuffer.begin(), replyBuffer.end());
    const Bytes arrived = Head(buffer, received);
    CheckText(exchange.ReplyText(), buffer);
    CheckMeasurement(buffer, arrived);
    CheckVersion(buffer, arrived);
    CheckLogger(buffer, arrived);
    CheckSettings(buffer, arrived);
    CheckAcknowledgement(buffer, received, waiting);
    return 0;
}
