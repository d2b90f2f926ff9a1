#include "server/RatingHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "server/ServerLog.h"

namespace {

// A whole request must arrive within this time, however steadily its bytes trickle in: otherwise a
// few slow clients could hold every worker thread.
constexpr int64_t kRequestMilliseconds = 10000;
// Headers and the largest valid form body, with room to spare; a request sending more is cut off.
constexpr size_t kRequestBytes = 16384 + 16384;
// How long a kept-alive connection must have waited for its next request before it gives its
// worker up to a connection that waits for one.
constexpr int64_t kIdleGraceMilliseconds = 100;

thread_local std::chrono::steady_clock::time_point t_requestStart;

// The pool of workers, counting the connections that wait for one.
class CountingPool : public httplib::TaskQueue {
public:
    CountingPool(size_t threads, std::atomic<int>& waiting, int wake)
        : pool_(threads), waiting_(waiting), wake_(wake) {}
    void enqueue(std::function<void()> task) override {
        ++waiting_;
        const uint64_t one = 1;
        if (::write(wake_, &one, sizeof one) < 0) {
            // the counter is full: idle connections are being woken anyway
        }
        pool_.enqueue([this, task = std::move(task)] {
            if (--waiting_ == 0) {
                uint64_t drained;
                if (::read(wake_, &drained, sizeof drained) < 0) {
                    // already drained by another worker
                }
            }
            task();
        });
    }
    void shutdown() override { pool_.shutdown(); }

private:
    httplib::ThreadPool pool_;
    std::atomic<int>& waiting_;
    int wake_;
};

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
        t_requestStart = std::chrono::steady_clock::now();
        requestEnd_ = t_requestStart + std::chrono::milliseconds(kRequestMilliseconds);
        received_ = 0;
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
            if (received_ >= kRequestBytes) {
                return -1;
            }
            const ssize_t count = ::recv(socket_, buffer_, std::min(sizeof buffer_, kRequestBytes - received_), 0);
            if (count <= 0) {
                return count;
            }
            received_ += static_cast<size_t>(count);
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

    // Whether bytes of a next request have been read already (a client that sends its requests
    // without waiting for the answers); the socket then has nothing more to show.
    bool HoldsInput() const { return position_ < filled_; }

    // Whether the last answer refused the request as malformed or too large: what follows on the
    // connection cannot be trusted to start a request, so the connection ends.
    bool RefusedRequest() const { return refused_; }

    bool Flush() {
        if (pending_.size() > 12 && pending_.compare(0, 5, "HTTP/") == 0) {
            const std::string status = pending_.substr(9, 3);
            refused_ = status == "400" || status == "413" || status == "414" || status == "431";
        }
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
    size_t received_ = 0;
    bool refused_ = false;
    std::string pending_;
    std::chrono::steady_clock::time_point requestEnd_;
};

}  // namespace

RatingHttpServer::RatingHttpServer(size_t threads, size_t peerConnections)
    : peerConnections_(peerConnections), wake_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    new_task_queue = [this, threads] { return new CountingPool(threads, waiting_, wake_); };
}

RatingHttpServer::~RatingHttpServer() {
    if (wake_ >= 0) {
        ::close(wake_);
    }
}

void RatingHttpServer::WidenBacklog() {
    if (svr_sock_ != INVALID_SOCKET) {
        ::listen(svr_sock_, SOMAXCONN);
    }
}

uint64_t RatingHttpServer::RequestMicroseconds() {
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t_requestStart)
            .count());
}

bool RatingHttpServer::EnterPeer(const std::string& peer) {
    std::lock_guard<std::mutex> guard(peersLock_);
    size_t& count = peers_[peer];
    if (count >= peerConnections_) {
        return false;
    }
    ++count;
    return true;
}

void RatingHttpServer::LeavePeer(const std::string& peer) {
    std::lock_guard<std::mutex> guard(peersLock_);
    const auto found = peers_.find(peer);
    if (found != peers_.end() && --found->second == 0) {
        peers_.erase(found);
    }
}

bool RatingHttpServer::process_and_close_socket(socket_t sock) {
    std::string peer;
    int peerPort = 0;
    AddressOf(sock, true, peer, peerPort);
    if (!EnterPeer(peer)) {
        ++Metrics().refusedConnections;
        LogError("connection refused: " + peer + " holds " + std::to_string(peerConnections_) + " already");
        ::close(sock);
        return false;
    }
    const int yes = 1;
    setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    CollectingStream stream(sock, read_timeout_sec_, write_timeout_sec_);
    bool ok = true;
    for (size_t left = keep_alive_max_count_; left > 0; --left) {
        // The first request is waited for in any case; later ones only while nobody else needs the worker.
        if (!stream.HoldsInput() && !WaitForRequest(sock, left != keep_alive_max_count_)) {
            break;
        }
        bool closed = false;
        stream.StartRequest();
        ok = process_request(stream, left == 1, closed, nullptr);
        if (!stream.Flush() || !ok || closed || stream.RefusedRequest()) {
            break;
        }
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    LeavePeer(peer);
    return ok;
}

bool RatingHttpServer::WaitForRequest(int sock, bool idle) {
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::seconds(keep_alive_timeout_sec_);
    for (;;) {
        if (svr_sock_ == INVALID_SOCKET) {
            return false;
        }
        const auto now = std::chrono::steady_clock::now();
        const int64_t idleFor = std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
        // A busy client's connection is between two requests for a moment only; giving it up then
        // would make every client reconnect whenever one more arrives.
        const bool mayYield = idle && idleFor >= kIdleGraceMilliseconds;
        if (mayYield && waiting_ > 0) {
            ++Metrics().closedIdleConnections;
            return false;
        }
        const int64_t left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
        if (left <= 0) {
            return false;
        }
        // In slices, so a stopping server does not wait for idle connections; within the grace the
        // wake-up is not listened to (it stays signalled while somebody waits).
        const int64_t slice = idle && !mayYield ? kIdleGraceMilliseconds - idleFor : 100;
        pollfd entries[2] = {{sock, POLLIN, 0}, {wake_, POLLIN, 0}};
        const int result =
            ::poll(entries, mayYield ? 2 : 1, static_cast<int>(std::max<int64_t>(1, std::min(left, slice))));
        if (result < 0 && errno != EINTR) {
            return false;
        }
        if (result > 0 && (entries[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            return true;
        }
        if (result > 0 && (entries[1].revents & POLLIN) && waiting_ == 0) {
            // Woken for a connection that a worker has taken meanwhile: the counter is stale.
            uint64_t drained;
            if (::read(wake_, &drained, sizeof drained) < 0) {
                // drained by another thread
            }
        }
    }
}
