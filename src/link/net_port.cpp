#include "link/net_port.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "link/net_port_name.h"

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

// What waiting on a socket and the stop signal together came to.
enum class Wait { Ready, TimedOut, Woken };

// Waits up to `ms` (-1: without end) for `events` on `fd`, or for `wakeFd` to turn readable.
Wait WaitFor(int fd, short events, int wakeFd, int ms, short* revents = nullptr) {
    pollfd p[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
    const nfds_t count = fd >= 0 ? 2 : 1;
    pollfd* first = fd >= 0 ? p : p + 1;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(ms, 0));
    for (;;) {
        const int ready = ::poll(first, count, ms < 0 ? -1 : MsLeft(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (p[1].revents != 0) {
            return Wait::Woken;
        }
        if (ready > 0) {
            if (revents) {
                *revents = p[0].revents;
            }
            return Wait::Ready;
        }
        return Wait::TimedOut;
    }
}

bool IsWoken(int wakeFd) {
    return WaitFor(-1, 0, wakeFd, 0) == Wait::Woken;
}

void SetKeepalive(int fd, const NetPortTimings& t) {
    const int on = 1;
    const int idle = static_cast<int>(t.keepIdle.count());
    const int interval = static_cast<int>(t.keepInterval.count());
    const unsigned unacknowledged = static_cast<unsigned>(t.unacknowledged.count());
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &t.keepCount, sizeof t.keepCount);
    setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &unacknowledged, sizeof unacknowledged);
    // Commands are a few bytes each and are waited for: send them at once.
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// A socket connected to `a`, or -1 with errno set (EINTR: woken by the stop signal).
int ConnectOne(const NetAddress& a, const NetPortTimings& timings, int wakeFd) {
    const int fd = ::socket(a.family, a.socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a.protocol);
    if (fd < 0) {
        return -1;
    }
    const auto fail = [fd](int err) {
        ::close(fd);
        errno = err;
        return -1;
    };
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&a.address), a.length) != 0) {
        if (errno != EINPROGRESS) {
            return fail(errno);
        }
        switch (WaitFor(fd, POLLOUT, wakeFd, static_cast<int>(timings.connect.count()))) {
            case Wait::Woken:
                return fail(EINTR);
            case Wait::TimedOut:
                return fail(ETIMEDOUT);
            case Wait::Ready:
                break;
        }
        int err = 0;
        socklen_t len = sizeof err;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0) {
            err = errno;
        }
        if (err != 0) {
            return fail(err);
        }
    }
    SetKeepalive(fd, timings);
    return fd;
}

// The resolver's answer, handed from its thread to the one waiting for it.
struct PendingResolution {
    std::mutex mutex;
    NetResolution result;
    int ready = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    ~PendingResolution() {
        if (ready >= 0) {
            ::close(ready);
        }
    }
};

// The resolver runs on a detached thread of its own: getaddrinfo cannot be woken, so a stop
// leaves it behind, and its answer is dropped with the last reference to it. Nothing when
// woken first.
std::optional<NetResolution> ResolveUnlessWoken(const NetResolver& resolver,
                                                const std::string& host, const std::string& service,
                                                int wakeFd) {
    auto pending = std::make_shared<PendingResolution>();
    if (pending->ready < 0) {
        return resolver(host, service);
    }
    try {
        std::thread([pending, resolver, host, service] {
            NetResolution result = resolver(host, service);
            {
                const std::lock_guard<std::mutex> lock(pending->mutex);
                pending->result = std::move(result);
            }
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t n = ::write(pending->ready, &one, sizeof one);
        }).detach();
    } catch (const std::system_error&) {
        return resolver(host, service);  // no thread to be had: resolve here
    }
    if (WaitFor(pending->ready, POLLIN, wakeFd, -1) != Wait::Ready) {
        return std::nullopt;
    }
    const std::lock_guard<std::mutex> lock(pending->mutex);
    return std::move(pending->result);
}

std::vector<std::uint8_t> Verb(std::uint8_t verb, std::uint8_t option) {
    return {telnet::kIac, verb, option};
}

// The line's rate as COM-PORT-OPTION's SET-BAUDRATE carries it: four bytes, high first.
std::vector<std::uint8_t> BaudrateValue() {
    const auto baud = static_cast<std::uint32_t>(kLineBaud);
    return {static_cast<std::uint8_t>(baud >> 24), static_cast<std::uint8_t>(baud >> 16),
            static_cast<std::uint8_t>(baud >> 8), static_cast<std::uint8_t>(baud)};
}

}  // namespace

NetResolution SystemResolve(const std::string& host, const std::string& service) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    NetResolution out;
    out.error = getaddrinfo(host.c_str(), service.c_str(), &hints, &list);
    if (out.error != 0) {
        return out;
    }
    for (const addrinfo* ai = list; ai; ai = ai->ai_next) {
        if (ai->ai_addrlen > sizeof(sockaddr_storage)) {
            continue;
        }
        NetAddress a;
        a.family = ai->ai_family;
        a.socktype = ai->ai_socktype;
        a.protocol = ai->ai_protocol;
        std::memcpy(&a.address, ai->ai_addr, ai->ai_addrlen);
        a.length = ai->ai_addrlen;
        out.addresses.push_back(a);
    }
    freeaddrinfo(list);
    return out;
}

NetPort::NetPort(int wakeFd, NetPortTimings timings, NetResolver resolver)
    : wake_(wakeFd), timings_(timings), resolver_(std::move(resolver)) {}

NetPort::~NetPort() {
    Close();
}

bool NetPort::Woken() const {
    return IsWoken(wake_);
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
    const auto interrupted = [&] {
        return fail({PortOpenReason::Interrupted, 0, {}}, "stopped while connecting");
    };
    const auto parsed = ParseNetPortName(name);
    if (!parsed) {
        return fail({PortOpenReason::NotNetworkName, 0, {}},
                    "not a network port (rfc2217://HOST:PORT or tcp://HOST:PORT)");
    }
    if (Woken()) {
        return interrupted();
    }
    const std::optional<NetResolution> resolved =
        ResolveUnlessWoken(resolver_, parsed->host, parsed->service, wake_);
    if (!resolved) {
        return interrupted();
    }
    if (resolved->error != 0) {
        return fail({PortOpenReason::HostNotFound, resolved->error, parsed->host},
                    "cannot find host " + parsed->host + ": " + gai_strerror(resolved->error));
    }
    int err = ENOENT;
    for (const NetAddress& address : resolved->addresses) {
        fd_ = ConnectOne(address, timings_, wake_);
        if (fd_ >= 0) {
            break;
        }
        err = errno;
        if (err == EINTR) {
            return interrupted();
        }
    }
    if (fd_ < 0) {
        return err == ETIMEDOUT
                   ? fail({PortOpenReason::ServerSilent, err, {}}, "no answer from the server")
                   : fail({PortOpenReason::System, err, {}}, std::strerror(err));
    }
    name_ = name;
    gone_ = false;
    connectedAt_ = Clock::now();
    received_ = 0;
    decoder_ = telnet::Decoder();
    incoming_.clear();
    replies_.clear();
    telnet_ = parsed->rfc2217;
    if (telnet_) {
        switch (Negotiate()) {
            case Negotiation::Done:
                break;
            case Negotiation::NotTelnet:
                Close();
                return fail({PortOpenReason::NotRfc2217, 0, {}},
                            "not an RFC 2217 server; use tcp://");
            case Negotiation::Closed:
                Close();
                return fail({PortOpenReason::ServerClosed, 0, {}},
                            "the server closed the connection");
            case Negotiation::Interrupted:
                Close();
                return interrupted();
        }
    }
    // Bytes from before the port was opened belong to no request of ours.
    Pump();
    incoming_.clear();
    return true;
}

NetPort::Negotiation NetPort::Negotiate() {
    willBinarySent_ = true;
    doBinarySent_ = true;
    telnetHeard_ = false;
    comPortAnswered_ = false;
    comPortAccepted_ = false;
    std::vector<std::uint8_t> offer;
    for (const auto& v :
         {Verb(telnet::kWill, telnet::kOptBinary), Verb(telnet::kDo, telnet::kOptBinary),
          Verb(telnet::kWill, telnet::kOptComPort)}) {
        offer.insert(offer.end(), v.begin(), v.end());
    }
    const int negotiateMs = static_cast<int>(timings_.negotiate.count());
    if (!SendAll(offer, negotiateMs)) {
        return Woken() ? Negotiation::Interrupted : Negotiation::Closed;
    }
    const auto deadline = Clock::now() + timings_.negotiate;
    while (!comPortAnswered_ && !gone_) {
        const int left = MsLeft(deadline);
        if (left == 0) {
            break;
        }
        if (WaitFor(fd_, POLLIN, wake_, left) == Wait::Woken) {
            return Negotiation::Interrupted;
        }
        Pump();
    }
    if (gone_) {
        return Negotiation::Closed;
    }
    if (!telnetHeard_) {
        // Not a word of telnet: whatever this server is, its bytes are not telnet's, and
        // decoding them as such would swallow the instrument's 0xFF bytes.
        return Negotiation::NotTelnet;
    }
    if (!comPortAccepted_) {
        // The line keeps whatever settings the server gives it; the data still passes.
        Tell(PortNoticeKind::LineSettingsRefused);
        return Negotiation::Done;
    }
    using namespace telnet;
    std::vector<std::uint8_t> settings;
    for (const auto& command : {
             EncodeComPortCommand(kSetBaudrate, BaudrateValue()),
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
    if (SendAll(settings, negotiateMs)) {
        return Negotiation::Done;
    }
    return Woken() ? Negotiation::Interrupted : Negotiation::Closed;
}

void NetPort::Tell(PortNoticeKind kind) {
    if (!told_.insert(kind).second) {
        return;
    }
    if (notices_) {
        notices_(PortNotice{kind, name_});
    }
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
        short revents = 0;
        switch (WaitFor(fd_, POLLOUT, wake_, left, &revents)) {
            case Wait::Woken:
                return false;
            case Wait::Ready:
                if (revents & (POLLERR | POLLNVAL)) {
                    gone_ = true;
                    return false;
                }
                break;
            case Wait::TimedOut:
                break;
        }
    }
    return true;
}

bool NetPort::Flooded() const {
    const auto since =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - connectedAt_);
    const std::size_t lineCarries =
        static_cast<std::size_t>(since.count()) * 2 * kLineBytesPerSecond / 1000;
    return received_ > kNetBurstBytes + lineCarries;
}

void NetPort::Pump() {
    if (fd_ < 0 || gone_) {
        return;
    }
    std::uint8_t piece[512];
    std::vector<std::uint8_t> data;
    std::vector<telnet::OptionEvent> events;
    // Never more than the bound in all (what telnet takes out only lowers it).
    while (incoming_.size() + data.size() < kNetMaxBuffered) {
        const std::size_t room = kNetMaxBuffered - incoming_.size() - data.size();
        const ssize_t n = ::recv(fd_, piece, std::min(room, sizeof piece), MSG_DONTWAIT);
        if (n > 0) {
            received_ += static_cast<std::size_t>(n);
            if (Flooded()) {
                // No instrument: nothing it sent is passed on, the connection is over.
                gone_ = true;
                incoming_.clear();
                Tell(PortNoticeKind::Flooded);
                return;
            }
            if (telnet_) {
                decoder_.Feed(piece, static_cast<std::size_t>(n), &data, &events);
            } else {
                data.insert(data.end(), piece, piece + n);
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
    telnetHeard_ = true;
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
    const auto until = std::min(Clock::now() + lineTime, deadline);
    if (WaitFor(-1, 0, wake_, MsLeft(until)) == Wait::Woken) {
        return PortIo::TimedOut;
    }
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
