#include "main/database/RatingNetwork_win.h"

#include <winsock.h>

#include <mutex>

namespace {

// A server that does not take the connection gets as long as one that does not answer.
constexpr long kConnectTimeoutMilliseconds = 5000;

bool ResolveHost(const std::string& host, in_addr& address) {
    address.s_addr = inet_addr(host.c_str());
    if (address.s_addr != INADDR_NONE) {
        return true;
    }
    const hostent* entry = gethostbyname(host.c_str());
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_addr_list[0] == nullptr) {
        return false;
    }
    address = *reinterpret_cast<const in_addr*>(entry->h_addr_list[0]);
    return true;
}

timeval Milliseconds(long milliseconds) {
    timeval time;
    time.tv_sec = milliseconds / 1000;
    time.tv_usec = (milliseconds % 1000) * 1000;
    return time;
}

intptr_t ConnectTo(const std::string& host, int port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    if (port <= 0 || port > 65535 || !ResolveHost(host, address.sin_addr)) {
        return -1;
    }
    const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket == INVALID_SOCKET) {
        return -1;
    }
    // Non-blocking while connecting, so an unreachable host costs seconds rather than minutes.
    u_long nonBlocking = 1;
    ioctlsocket(socket, FIONBIO, &nonBlocking);
    bool connected = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!connected && WSAGetLastError() == WSAEWOULDBLOCK) {
        fd_set writable;
        fd_set failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(socket, &writable);
        FD_SET(socket, &failed);
        timeval limit = Milliseconds(kConnectTimeoutMilliseconds);
        connected = select(0, nullptr, &writable, &failed, &limit) > 0 && FD_ISSET(socket, &writable) &&
                    !FD_ISSET(socket, &failed);
    }
    nonBlocking = 0;
    ioctlsocket(socket, FIONBIO, &nonBlocking);
    if (!connected) {
        closesocket(socket);
        return -1;
    }
    return static_cast<intptr_t>(socket);
}

bool SendAll(intptr_t socket, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int count =
            ::send(static_cast<SOCKET>(socket), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (count == SOCKET_ERROR || count == 0) {
            return false;
        }
        sent += static_cast<size_t>(count);
    }
    return true;
}

bool IsReadable(intptr_t socket) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(static_cast<SOCKET>(socket), &readable);
    timeval now = Milliseconds(0);
    return select(0, &readable, nullptr, nullptr, &now) > 0;
}

std::string Receive(intptr_t socket, size_t most) {
    std::string bytes(most, '\0');
    const int count = ::recv(static_cast<SOCKET>(socket), &bytes[0], static_cast<int>(most), 0);
    bytes.resize(count > 0 ? static_cast<size_t>(count) : 0);
    return bytes;
}

}  // namespace

bool StartRatingNetwork() {
    WSADATA data;
    return WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

int64_t ExtendedTickCount() {
    // Uploads wait on a worker thread: the counter is read inside the lock, so a reading that is
    // older than the last one is never taken for a wrap.
    static std::mutex guard;
    static TickWidening widening;
    std::lock_guard<std::mutex> lock(guard);
    return WidenTickCount(GetTickCount(), widening);
}

RatingNetwork WinsockRatingNetwork(const DatabaseServer& server, bool started) {
    RatingNetwork network;
    network.started = started;
    network.server = server;
    network.connect = ConnectTo;
    network.send = SendAll;
    network.readable = IsReadable;
    network.receive = Receive;
    network.close = [](intptr_t socket) { closesocket(static_cast<SOCKET>(socket)); };
    network.sleep = [](int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); };
    network.tick = ExtendedTickCount;
    return network;
}
