#include "viewer/data_line.h"

#include <algorithm>
#include <array>

namespace {

// The second slice of a line whose TAB stands at position 6 ends at position 25; the
// characters after it never matter.
constexpr std::size_t kUsedChars = 25;
static_assert(kUsedChars <= kChartLineChars);

constexpr std::size_t kTimeChars = 8;
constexpr std::size_t kSliceChars = 5;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Bytes of the character starting at `at`: a lead byte with the continuation bytes it
// announces (as many as follow), or a lone byte that is not valid UTF-8.
std::size_t CharBytes(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t wanted = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        wanted = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        wanted = 2;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        wanted = 3;
    }
    std::size_t length = 1;
    while (wanted > 0 && at + length < text.size() &&
           IsContinuation(static_cast<unsigned char>(text[at + length]))) {
        ++length;
        --wanted;
    }
    return length;
}

bool IsAscii(std::string_view text) {
    unsigned char any = 0;
    for (const char c : text) {
        any |= static_cast<unsigned char>(c);
    }
    return any < 0x80;
}

// Byte offsets of the first characters of a line: Start(c) is where character c (from 0)
// begins, Start(count) where the last one read ends. Lines that begin in ASCII, the usual
// case, need no table.
class CharIndex {
  public:
    explicit CharIndex(std::string_view line) : line_(line) {
        const std::size_t head = std::min(line.size(), kUsedChars);
        if (IsAscii(line.substr(0, head))) {
            ascii_ = true;
            count_ = head;
            return;
        }
        std::size_t byte = 0;
        while (count_ < kUsedChars && byte < line.size()) {
            starts_[count_++] = byte;
            byte += CharBytes(line, byte);
        }
        starts_[count_] = byte;
    }

    bool IsTab(std::size_t position) const {
        return position <= count_ && line_[Start(position - 1)] == '\t';
    }

    std::string_view Chars(std::size_t position, std::size_t count) const {
        const std::size_t first = std::min(position - 1, count_);
        const std::size_t last = std::min(first + count, count_);
        return line_.substr(Start(first), Start(last) - Start(first));
    }

  private:
    std::size_t Start(std::size_t c) const { return ascii_ ? c : starts_[c]; }

    std::string_view line_;
    bool ascii_ = false;
    std::size_t count_ = 0;
    std::array<std::size_t, kUsedChars + 1> starts_;
};

}  // namespace

DataLineFields SplitDataLine(std::string_view line) {
    const CharIndex chars(line);
    std::size_t p = 6;
    for (std::size_t position = 2; position <= 5; ++position) {
        if (chars.IsTab(position)) {
            p = position;
            break;
        }
    }
    const std::size_t k = p - 2;
    return {chars.Chars(k + 3, kTimeChars), chars.Chars(k + 12, kSliceChars),
            chars.Chars(k + 17, kSliceChars)};
}
