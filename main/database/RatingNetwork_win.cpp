#include "main/database/RatingNetwork_win.h"

#include <winsock.h>

#include <mutex>

#include "foundation/TcpConnect_win.h"

namespace {

// A server that does not take the connection gets as long as one that does not answer.
constexpr long kConnectTimeoutMilliseconds = 5000;

timeval Milliseconds(long milliseconds) {
    timeval time;
    time.tv_sec = milliseconds / 1000;
    time.tv_usec = (milliseconds % 1000) * 1000;
    return time;
}

intptr_t ConnectTo(const std::string& host, int port) {
    const SOCKET socket = ConnectWithTimeLimit(host, port, kConnectTimeoutMilliseconds);
    return socket == INVALID_SOCKET ? -1 : static_cast<intptr_t>(socket);
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
