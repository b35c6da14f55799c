#pragma once
// A serial line reached through a serial device server over TCP, raw or RFC 2217, with the
// same operations as a local port (serial_port.h), which hands network names to it.
//
// The server is as untrusted as the instrument: what it sends is read in bounded pieces and
// buffered up to a bound; a peer that sends far more than the line can carry is dropped as
// no instrument; an rfc2217:// server that never speaks telnet is refused, never decoded as
// telnet; and every wait (the name's resolution, the connect, the negotiation, a send)
// wakes at once on the stop signal.

#include <sys/socket.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "link/telnet_codec.h"

struct NetPortTimings {
    // Connecting gives up after this long per address: an unreachable server must not hang.
    std::chrono::milliseconds connect{4000};
    // How long an rfc2217:// server has to answer the telnet offer.
    std::chrono::milliseconds negotiate{3000};
    // A silent peer is declared dead after `keepIdle` idle plus `keepCount` probes
    // `keepInterval` apart: about 30 s.
    std::chrono::seconds keepIdle{10};
    std::chrono::seconds keepInterval{5};
    int keepCount = 4;
    // Keepalive probes only an idle connection, and a poll a second never leaves it idle: a
    // request the server has not acknowledged for this long ends the connection too.
    std::chrono::milliseconds unacknowledged{30000};
};

// One address a name resolves to.
struct NetAddress {
    int family = 0;
    int socktype = 0;
    int protocol = 0;
    sockaddr_storage address{};
    socklen_t length = 0;
};

struct NetResolution {
    int error = 0;  // getaddrinfo's EAI_ code; 0 when `addresses` holds the answer
    std::vector<NetAddress> addresses;
};

// Blocks as long as the system's resolver takes: NetPort runs it where a stop does not
// wait for it.
using NetResolver =
    std::function<NetResolution(const std::string& host, const std::string& service)>;
NetResolution SystemResolve(const std::string& host, const std::string& service);

// Reading a peer: at most this much is buffered for the link (the rest waits in the socket,
// where TCP holds the peer back), and a peer whose bytes outrun the line's rate (twice it,
// as telnet doubles 0xFF) by more than a burst a server may have held back is no instrument.
inline constexpr std::size_t kNetMaxBuffered = 8192;
inline constexpr std::size_t kNetBurstBytes = 4096;

class NetPort {
  public:
    // `wakeFd` (the caller's, and outliving the port) turns readable for good when a stop
    // comes: every wait polls it beside the socket.
    explicit NetPort(int wakeFd, NetPortTimings timings = {}, NetResolver resolver = SystemResolve);
    ~NetPort();
    NetPort(const NetPort&) = delete;
    NetPort& operator=(const NetPort&) = delete;

    bool Open(const std::string& name, std::string* why, PortOpenFailure* failure = nullptr);
    void SetNoticeHandler(PortNoticeHandler handler) { notices_ = std::move(handler); }
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    PortIo WriteAndDrain(const std::uint8_t* data, std::size_t count, int deadlineMs);
    std::size_t BytesWaiting();
    std::size_t ReadAvailable(std::uint8_t* dest, std::size_t max);
    bool HasHungUp();

  private:
    enum class Negotiation { Done, NotTelnet, Closed, Interrupted };

    // Reads what the socket holds, within the bounds, without waiting, and decodes it.
    void Pump();
    // More bytes since the connect than the line could have brought.
    bool Flooded() const;
    void HandleOption(const telnet::OptionEvent& event);
    bool SendAll(const std::vector<std::uint8_t>& bytes, int deadlineMs);
    Negotiation Negotiate();
    // Once for each kind, for this port object.
    void Tell(PortNoticeKind kind);
    bool Woken() const;

    const int wake_;
    const NetPortTimings timings_;
    const NetResolver resolver_;
    PortNoticeHandler notices_;
    std::set<PortNoticeKind> told_;

    int fd_ = -1;
    std::string name_;
    bool telnet_ = false;
    bool gone_ = false;
    std::chrono::steady_clock::time_point connectedAt_;
    std::size_t received_ = 0;  // bytes since the connect, telnet traffic included
    // Option state: what we have said and what the server has answered about COM-PORT-OPTION.
    bool willBinarySent_ = false;
    bool doBinarySent_ = false;
    bool telnetHeard_ = false;  // the server has sent telnet commands of any kind
    bool comPortAnswered_ = false;
    bool comPortAccepted_ = false;
    telnet::Decoder decoder_;
    std::deque<std::uint8_t> incoming_;
    std::vector<std::uint8_t> replies_;  // option answers owed to the server
};
