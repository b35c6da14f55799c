#include "link/net_port.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "link/net_port_name.h"

namespace {

using Clock = std::chrono::steady_clock;

// Connecting gives up after this long per address: an unreachable server must not hang.
constexpr int kConnectTimeoutMs = 4000;
// How long the server has to answer the COM-PORT-OPTION offer before the port is used raw.
constexpr int kNegotiateTimeoutMs = 3000;
// A silent peer is declared dead after 10 s idle plus 4 probes 5 s apart: about 30 s.
constexpr int kKeepIdleS = 10;
constexpr int kKeepIntervalS = 5;
constexpr int kKeepCount = 4;
// Keepalive probes only an idle connection, and a poll a second never leaves it idle: a
// request the server has not acknowledged for as long ends the connection too.
constexpr unsigned kUnacknowledgedMs = 30000;
// 4800 baud with a start and a stop bit: 480 bytes a second.
constexpr int kLineBytesPerSecond = 480;

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

void SetKeepalive(int fd) {
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &kKeepIdleS, sizeof kKeepIdleS);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &kKeepIntervalS, sizeof kKeepIntervalS);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &kKeepCount, sizeof kKeepCount);
    setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &kUnacknowledgedMs, sizeof kUnacknowledgedMs);
    // Commands are a few bytes each and are waited for: send them at once.
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// Connects without blocking past kConnectTimeoutMs; returns the socket or -1 with errno set.
int ConnectOne(const addrinfo& ai) {
    const int fd =
        ::socket(ai.ai_family, ai.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai.ai_protocol);
    if (fd < 0) {
        return -1;
    }
    if (::connect(fd, ai.ai_addr, ai.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            const int err = errno;
            ::close(fd);
            errno = err;
            return -1;
        }
        pollfd p{fd, POLLOUT, 0};
        int ready = 0;
        do {
            ready = ::poll(&p, 1, kConnectTimeoutMs);
        } while (ready < 0 && errno == EINTR);
        int err = ETIMEDOUT;
        if (ready > 0) {
            socklen_t len = sizeof err;
            if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0) {
                err = errno;
            }
        }
        if (err != 0) {
            ::close(fd);
            errno = err;
            return -1;
        }
    }
    SetKeepalive(fd);
    return fd;
}

std::vector<std::uint8_t> Verb(std::uint8_t verb, std::uint8_t option) {
    return {telnet::kIac, verb, option};
}

}  // namespace

NetPort::~NetPort() {
    Close();
}

bool NetPort::Open(const std::string& name, std::string* why, PortOpenFailure* failure) {
    Close();
    const auto fail = [&](PortOpenFailure what, std::string text) {
        if (why) {
            *why = std::move(text);
        }
        if (failure) {
            *failure = std::move(what);
        }
        return false;
    };
    const auto parsed = ParseNetPortName(name);
    if (!parsed) {
        return fail({PortOpenReason::NotNetworkName, 0, {}},
                    "not a network port (rfc2217://HOST:PORT or tcp://HOST:PORT)");
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    const int gai = getaddrinfo(parsed->host.c_str(), parsed->service.c_str(), &hints, &list);
    if (gai != 0) {
        return fail({PortOpenReason::HostNotFound, gai, parsed->host},
                    "cannot find host " + parsed->host + ": " + gai_strerror(gai));
    }
    int err = 0;
    for (const addrinfo* ai = list; ai && fd_ < 0; ai = ai->ai_next) {
        fd_ = ConnectOne(*ai);
        if (fd_ < 0) {
            err = errno;
        }
    }
    freeaddrinfo(list);
    if (fd_ < 0) {
        return err == ETIMEDOUT
                   ? fail({PortOpenReason::ServerSilent, err, {}}, "no answer from the server")
                   : fail({PortOpenReason::System, err, {}}, std::strerror(err));
    }
    gone_ = false;
    decoder_ = telnet::Decoder();
    incoming_.clear();
    replies_.clear();
    telnet_ = parsed->rfc2217;
    if (telnet_ && !Negotiate(name)) {
        Close();
        return fail({PortOpenReason::ServerClosed, 0, {}}, "the server closed the connection");
    }
    // Bytes from before the port was opened belong to no request of ours.
    Pump();
    incoming_.clear();
    return true;
}

bool NetPort::Negotiate(const std::string& name) {
    willBinarySent_ = true;
    doBinarySent_ = true;
    comPortAnswered_ = false;
    comPortAccepted_ = false;
    std::vector<std::uint8_t> offer;
    for (const auto& v :
         {Verb(telnet::kWill, telnet::kOptBinary), Verb(telnet::kDo, telnet::kOptBinary),
          Verb(telnet::kWill, telnet::kOptComPort)}) {
        offer.insert(offer.end(), v.begin(), v.end());
    }
    if (!SendAll(offer, kNegotiateTimeoutMs)) {
        return false;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(kNegotiateTimeoutMs);
    while (!comPortAnswered_ && !gone_) {
        const int left = MsLeft(deadline);
        if (left == 0) {
            break;
        }
        pollfd p{fd_, POLLIN, 0};
        ::poll(&p, 1, std::min(left, 50));
        Pump();
    }
    if (gone_) {
        return false;
    }
    if (!comPortAccepted_) {
        // The line keeps whatever settings the server gives it; the data still passes.
        telnet_ = true;
        if (!rawNoticeGiven_ && lineSettingsRefused_) {
            rawNoticeGiven_ = true;
            lineSettingsRefused_(name);
        } else if (!rawNoticeGiven_) {
            rawNoticeGiven_ = true;
            std::fprintf(stderr,
                         "%s: the server does not take serial line settings (RFC 2217); "
                         "its line must already be set to 4800 baud 8N1\n",
                         name.c_str());
        }
        return true;
    }
    using namespace telnet;
    std::vector<std::uint8_t> settings;
    for (const auto& command : {
             EncodeComPortCommand(kSetBaudrate, {0x00, 0x00, 0x12, 0xC0}),  // 4800
             EncodeComPortCommand(kSetDatasize, {8}),
             EncodeComPortCommand(kSetParity, {1}),    // none
             EncodeComPortCommand(kSetStopsize, {1}),  // one
             EncodeComPortCommand(kSetControl, {1}),   // no flow control
             EncodeComPortCommand(kSetControl, {9}),   // DTR off
             EncodeComPortCommand(kSetControl, {12}),  // RTS off
             EncodeComPortCommand(kPurgeData, {3}),    // both buffers
         }) {
        settings.insert(settings.end(), command.begin(), command.end());
    }
    return SendAll(settings, kNegotiateTimeoutMs);
}

void NetPort::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    incoming_.clear();
}

bool NetPort::SendAll(const std::vector<std::uint8_t>& bytes, int deadlineMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(deadlineMs);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            gone_ = true;
            return false;
        }
        const int left = MsLeft(deadline);
        if (left == 0) {
            return false;
        }
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, left) > 0 && (p.revents & (POLLERR | POLLNVAL))) {
            gone_ = true;
            return false;
        }
    }
    return true;
}

void NetPort::Pump() {
    if (fd_ < 0 || gone_) {
        return;
    }
    std::uint8_t buffer[512];
    std::vector<std::uint8_t> data;
    std::vector<telnet::OptionEvent> events;
    for (;;) {
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            if (telnet_) {
                decoder_.Feed(buffer, static_cast<std::size_t>(n), &data, &events);
            } else {
                data.insert(data.end(), buffer, buffer + n);
            }
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            gone_ = true;
        }
        break;
    }
    incoming_.insert(incoming_.end(), data.begin(), data.end());
    for (const auto& event : events) {
        HandleOption(event);
    }
    if (!replies_.empty() && !gone_) {
        std::vector<std::uint8_t> owed;
        owed.swap(replies_);
        SendAll(owed, 200);
    }
}

void NetPort::HandleOption(const telnet::OptionEvent& event) {
    using namespace telnet;
    auto answer = [this](std::uint8_t verb, std::uint8_t option) {
        const auto v = Verb(verb, option);
        replies_.insert(replies_.end(), v.begin(), v.end());
    };
    if (event.verb == kDo) {
        if (event.option == kOptComPort) {
            comPortAnswered_ = true;
            comPortAccepted_ = true;
        } else if (event.option == kOptBinary) {
            if (!willBinarySent_) {
                willBinarySent_ = true;
                answer(kWill, kOptBinary);
            }
        } else {
            answer(kWont, event.option);
        }
    } else if (event.verb == kDont) {
        if (event.option == kOptComPort) {
            comPortAnswered_ = true;
            comPortAccepted_ = false;
        }
    } else if (event.verb == kWill) {
        if (event.option == kOptBinary) {
            if (!doBinarySent_) {
                doBinarySent_ = true;
                answer(kDo, kOptBinary);
            }
        } else if (event.option != kOptComPort) {
            answer(kDont, event.option);
        }
    }
    // WONT needs no answer; subnegotiations are the server's answers to our settings and its
    // line-state notifications, of no use to the exchange.
}

PortIo NetPort::WriteAndDrain(const std::uint8_t* data, std::size_t count, int deadlineMs) {
    if (fd_ < 0 || gone_) {
        return PortIo::Gone;
    }
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::milliseconds(deadlineMs);
    const auto wire =
        telnet_ ? telnet::EncodeData(data, count) : std::vector<std::uint8_t>(data, data + count);
    if (!SendAll(wire, deadlineMs)) {
        return gone_ ? PortIo::Gone : PortIo::TimedOut;
    }
    // The server still has to put the bytes on its line.
    const auto lineTime = std::chrono::milliseconds(
        (static_cast<long long>(count) * 1000 + kLineBytesPerSecond - 1) / kLineBytesPerSecond);
    std::this_thread::sleep_for(std::min<Clock::duration>(lineTime, deadline - Clock::now()));
    return PortIo::Ok;
}

std::size_t NetPort::BytesWaiting() {
    Pump();
    return incoming_.size();
}

std::size_t NetPort::ReadAvailable(std::uint8_t* dest, std::size_t max) {
    Pump();
    const std::size_t n = std::min(max, incoming_.size());
    std::copy_n(incoming_.begin(), n, dest);
    incoming_.erase(incoming_.begin(), incoming_.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

bool NetPort::HasHungUp() {
    Pump();
    return fd_ < 0 || gone_;
}
