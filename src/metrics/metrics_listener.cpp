#include "metrics/metrics_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "texts/system_error_text.h"

namespace {

// Connections waiting to be accepted; the server takes them as fast as they come.
constexpr int kBacklog = 16;

}  // namespace

std::optional<ListeningSocket> ListenOn(const MetricsAddress& address, QString& error) {
    sockaddr_storage storage{};
    socklen_t length = 0;
    if (address.IsIpv6()) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(address.port);
        inet_pton(AF_INET6, address.host.c_str(), &in6->sin6_addr);
        length = sizeof(sockaddr_in6);
    } else {
        auto* in4 = reinterpret_cast<sockaddr_in*>(&storage);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(address.port);
        inet_pton(AF_INET, address.host.c_str(), &in4->sin_addr);
        length = sizeof(sockaddr_in);
    }
    const int fd = socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error = SystemErrorText(errno);
        return std::nullopt;
    }
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    if (address.IsIpv6()) {
        setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &yes, sizeof(yes));
    }
    if (bind(fd, reinterpret_cast<sockaddr*>(&storage), length) != 0 || listen(fd, kBacklog) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&storage), &length) != 0) {
        error = SystemErrorText(errno);
        close(fd);
        return std::nullopt;
    }
    const std::uint16_t port =
        ntohs(address.IsIpv6() ? reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port
                               : reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
    return ListeningSocket{fd, port};
}
