#include "server/RatingHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

// A whole request must arrive within this time, however steadily its bytes trickle in: otherwise a
// few slow clients could hold every worker thread.
constexpr int64_t kRequestMilliseconds = 10000;

// Waits for data on the socket for up to the given time; false on timeout, error or stop.
template <typename StopCheck>
bool WaitReadable(int socket, int64_t milliseconds, StopCheck stopped) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    // In slices, so a stopping server does not wait for idle connections.
    for (;;) {
        if (stopped()) {
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd entry = {socket, POLLIN, 0};
        const int result = ::poll(&entry, 1, static_cast<int>(std::min<int64_t>(left, 100)));
        if (result > 0) {
            return true;
        }
        if (result < 0 && errno != EINTR) {
            return false;
        }
    }
}

void AddressOf(int socket, bool peer, std::string& ip, int& port) {
    sockaddr_storage address = {};
    socklen_t length = sizeof address;
    const int result = peer ? getpeername(socket, reinterpret_cast<sockaddr*>(&address), &length)
                            : getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    char text[INET6_ADDRSTRLEN] = "";
    port = 0;
    if (result == 0 && address.ss_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&address);
        inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        port = ntohs(v4->sin_port);
    } else if (result == 0 && address.ss_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&address);
        inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
        port = ntohs(v6->sin6_port);
    }
    ip = text;
}

// Reads through a buffer (the request parser takes one byte at a time) and collects everything
// written until Flush, which sends it at once. A read first flushes, so an interim answer such as
// "100 Continue" goes out before the server waits for the body.
class CollectingStream : public httplib::Stream {
public:
    CollectingStream(int socket, time_t readSeconds, time_t writeSeconds)
        : socket_(socket), readMilliseconds_(readSeconds * 1000), writeMilliseconds_(writeSeconds * 1000) {
        StartRequest();
    }

    void StartRequest() {
        requestEnd_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRequestMilliseconds);
    }

    bool is_readable() const override {
        if (position_ < filled_) {
            return true;
        }
        const int64_t left =
            std::chrono::duration_cast<std::chrono::milliseconds>(requestEnd_ - std::chrono::steady_clock::now())
                .count();
        return left > 0 && WaitReadable(socket_, std::min(readMilliseconds_, left), [] { return false; });
    }
    bool is_writable() const override {
        pollfd entry = {socket_, POLLOUT, 0};
        return ::poll(&entry, 1, static_cast<int>(writeMilliseconds_)) > 0;
    }
    ssize_t read(char* data, size_t size) override {
        if (!Flush()) {
            return -1;
        }
        if (position_ == filled_) {
            if (!is_readable()) {
                return -1;
            }
            const ssize_t count = ::recv(socket_, buffer_, sizeof buffer_, 0);
            if (count <= 0) {
                return count;
            }
            position_ = 0;
            filled_ = static_cast<size_t>(count);
        }
        const size_t count = std::min(size, filled_ - position_);
        std::memcpy(data, buffer_ + position_, count);
        position_ += count;
        return static_cast<ssize_t>(count);
    }
    ssize_t write(const char* data, size_t size) override {
        pending_.append(data, size);
        return static_cast<ssize_t>(size);
    }
    void get_remote_ip_and_port(std::string& ip, int& port) const override { AddressOf(socket_, true, ip, port); }
    void get_local_ip_and_port(std::string& ip, int& port) const override { AddressOf(socket_, false, ip, port); }
    socket_t socket() const override { return socket_; }

    bool Flush() {
        size_t sent = 0;
        while (sent < pending_.size()) {
            if (!is_writable()) {
                return false;
            }
            const ssize_t count = ::send(socket_, pending_.data() + sent, pending_.size() - sent, MSG_NOSIGNAL);
            if (count <= 0) {
                return false;
            }
            sent += static_cast<size_t>(count);
        }
        pending_.clear();
        return true;
    }

private:
    int socket_;
    int64_t readMilliseconds_;
    int64_t writeMilliseconds_;
    char buffer_[4096];
    size_t position_ = 0;
    size_t filled_ = 0;
    std::string pending_;
    std::chrono::steady_clock::time_point requestEnd_;
};

}  // namespace

bool RatingHttpServer::process_and_close_socket(socket_t sock) {
    const int yes = 1;
    setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    CollectingStream stream(sock, read_timeout_sec_, write_timeout_sec_);
    const auto stopped = [this] { return svr_sock_ == INVALID_SOCKET; };
    bool ok = true;
    for (size_t left = keep_alive_max_count_; left > 0; --left) {
        if (!WaitReadable(sock, keep_alive_timeout_sec_ * 1000, stopped)) {
            break;
        }
        bool closed = false;
        stream.StartRequest();
        ok = process_request(stream, left == 1, closed, nullptr);
        if (!stream.Flush() || !ok || closed) {
            break;
        }
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return ok;
}
