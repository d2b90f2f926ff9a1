#include "tests/main/database/PosixRatingNetwork.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

RatingNetwork PosixRatingNetwork(const DatabaseServer& server) {
    RatingNetwork network;
    network.started = true;
    network.server = server;
    network.connect = [](const std::string& host, int port) -> intptr_t {
        addrinfo hints = {};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
            return -1;
        }
        int result = -1;
        for (addrinfo* address = found; address != nullptr && result < 0; address = address->ai_next) {
            const int socket = ::socket(address->ai_family, address->ai_socktype, address->ai_protocol);
            if (socket >= 0 && ::connect(socket, address->ai_addr, address->ai_addrlen) == 0) {
                result = socket;
            } else if (socket >= 0) {
                ::close(socket);
            }
        }
        freeaddrinfo(found);
        return result;
    };
    network.send = [](intptr_t socket, const std::string& bytes) {
        size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t count =
                ::send(static_cast<int>(socket), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (count <= 0) {
                return false;
            }
            sent += static_cast<size_t>(count);
        }
        return true;
    };
    network.readable = [](intptr_t socket) {
        pollfd entry = {static_cast<int>(socket), POLLIN, 0};
        return ::poll(&entry, 1, 0) > 0;
    };
    network.receive = [](intptr_t socket, size_t most) {
        std::string bytes(most, '\0');
        const ssize_t count = ::recv(static_cast<int>(socket), &bytes[0], most, 0);
        bytes.resize(count > 0 ? static_cast<size_t>(count) : 0);
        return bytes;
    };
    network.close = [](intptr_t socket) { ::close(static_cast<int>(socket)); };
    network.sleep = [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); };
    network.tick = [] {
        return static_cast<int64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count());
    };
    return network;
}

int ListenOnLoopback(int& port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket < 0 || ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket, 16) != 0 || ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (socket >= 0) {
            ::close(socket);
        }
        return -1;
    }
    port = ntohs(address.sin_port);
    return socket;
}
