#pragma once
// The test's side of HTTP and TCP on this machine: a free port to give a server, a plain
// GET to 127.0.0.1, and raw connections for feeding a server what no client would send.

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

// A socket connected to 127.0.0.1:port, or -1. Sends and receives give up after `timeoutMs`
// and a send to a closed peer fails instead of raising SIGPIPE (MSG_NOSIGNAL).
inline int ConnectLocal(std::uint16_t port, int timeoutMs = 2000) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    const timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout));
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// A port no one listens on now (the system's pick), for a server the test starts. Another
// test may take it before the server binds it: start servers with ListensOn and a retry.
inline std::uint16_t FreeLocalPort() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

// Whether process `pid` itself listens on 127.0.0.1:port (or on any address at that port):
// the server a test started, not another test's that took the port first. From the
// listening sockets in /proc/net/tcp and the descriptors in /proc/PID/fd.
inline bool ListensOn(pid_t pid, std::uint16_t port) {
    std::set<std::string> inodes;
    QFile table("/proc/net/tcp");
    if (!table.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QString local = QString("0100007F:%1").arg(port, 4, 16, QChar('0')).toUpper();
    const QString any = QString("00000000:%1").arg(port, 4, 16, QChar('0')).toUpper();
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QStringList fields = QString::fromLatin1(line).simplified().split(' ');
        // sl local remote state tx:rx tr:when retransmits uid timeout inode
        if (fields.size() > 9 && fields[3] == "0A" && (fields[1] == local || fields[1] == any)) {
            inodes.insert("socket:[" + fields[9].toStdString() + "]");
        }
    }
    if (inodes.empty()) {
        return false;
    }
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
    DIR* dir = opendir(fds.c_str());
    if (dir == nullptr) {
        return false;
    }
    bool found = false;
    while (const dirent* entry = readdir(dir)) {
        char target[128] = {};
        const ssize_t n = readlink((fds + "/" + entry->d_name).c_str(), target, sizeof target - 1);
        if (n > 0 && inodes.count(std::string(target, static_cast<std::size_t>(n))) != 0) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

inline bool SendAll(int fd, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return false;
        }
        sent += n;
    }
    return true;
}

struct HttpAnswer {
    int status = 0;
    QByteArray body;
};

// GET http://127.0.0.1:port/path, the answer read until the server closes; none when the
// connection fails or the answer is not HTTP. `headers`: more header lines, each ending in
// CRLF.
inline std::optional<HttpAnswer> HttpGet(std::uint16_t port, const std::string& path,
                                         const std::string& headers = {}) {
    const int fd = ConnectLocal(port);
    if (fd < 0) {
        return std::nullopt;
    }
    QByteArray answer;
    if (SendAll(fd, QByteArray::fromStdString("GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n" +
                                              headers + "Connection: close\r\n\r\n"))) {
        char buffer[4096];
        ssize_t n = 0;
        while ((n = recv(fd, buffer, sizeof(buffer), 0)) > 0) {
            answer.append(buffer, n);
        }
    }
    close(fd);
    const qsizetype headerEnd = answer.indexOf("\r\n\r\n");
    if (!answer.startsWith("HTTP/1.") || headerEnd < 0) {
        return std::nullopt;
    }
    return HttpAnswer{answer.mid(9, 3).toInt(), answer.mid(headerEnd + 4)};
}
