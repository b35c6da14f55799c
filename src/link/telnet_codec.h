#pragma once
// The byte handling of a telnet connection with the COM-PORT-OPTION (serial device servers):
// data bytes 0xFF go doubled, and what arrives is split into the instrument's data and the
// server's option traffic. Pure: no sockets, no clocks.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace telnet {

inline constexpr std::uint8_t kIac = 0xFF;
inline constexpr std::uint8_t kDont = 0xFE;
inline constexpr std::uint8_t kDo = 0xFD;
inline constexpr std::uint8_t kWont = 0xFC;
inline constexpr std::uint8_t kWill = 0xFB;
inline constexpr std::uint8_t kSb = 0xFA;
inline constexpr std::uint8_t kSe = 0xF0;
inline constexpr std::uint8_t kOptBinary = 0;
inline constexpr std::uint8_t kOptComPort = 44;

// COM-PORT-OPTION commands as the client sends them; the server answers with each plus 100.
inline constexpr std::uint8_t kSetBaudrate = 1;
inline constexpr std::uint8_t kSetDatasize = 2;
inline constexpr std::uint8_t kSetParity = 3;
inline constexpr std::uint8_t kSetStopsize = 4;
inline constexpr std::uint8_t kSetControl = 5;
inline constexpr std::uint8_t kPurgeData = 12;
inline constexpr std::uint8_t kServerOffset = 100;

// Data bytes as they go on the wire: every 0xFF doubled.
std::vector<std::uint8_t> EncodeData(const std::uint8_t* data, std::size_t count);

// IAC SB COM-PORT-OPTION command value... IAC SE, with 0xFF in the value doubled.
std::vector<std::uint8_t> EncodeComPortCommand(std::uint8_t command,
                                               const std::vector<std::uint8_t>& value);

// One option negotiation (DO, DONT, WILL, WONT) or subnegotiation the server sent.
struct OptionEvent {
    std::uint8_t verb = 0;  // kDo, kDont, kWill, kWont or kSb
    std::uint8_t option = 0;
    std::vector<std::uint8_t> payload;  // the subnegotiation's bytes after the option, undoubled
};

// Splits the server's byte stream; sequences may be cut anywhere across calls to Feed.
class Decoder {
  public:
    // Appends the data bytes in `bytes` to `data` and the option traffic to `events`.
    void Feed(const std::uint8_t* bytes, std::size_t count, std::vector<std::uint8_t>* data,
              std::vector<OptionEvent>* events);

  private:
    enum class State { Data, Iac, Verb, Sb, SbIac };
    // A subnegotiation longer than this is the server's garbage: it is cut, never grows.
    static constexpr std::size_t kMaxSubnegotiation = 64;
    State state_ = State::Data;
    std::uint8_t verb_ = 0;
    OptionEvent sb_;
    bool sbHasOption_ = false;
};

}  // namespace telnet
