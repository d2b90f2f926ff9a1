#include "foundation/TcpConnect_win.h"

bool ResolveIpv4Host(const std::string& host, in_addr& address) {
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

SOCKET ConnectWithTimeLimit(const std::string& host, int port, long milliseconds) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    if (port <= 0 || port > 65535 || !ResolveIpv4Host(host, address.sin_addr)) {
        return INVALID_SOCKET;
    }
    const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket == INVALID_SOCKET) {
        return INVALID_SOCKET;
    }
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
        timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
        connected = select(0, nullptr, &writable, &failed, &limit) > 0 && FD_ISSET(socket, &writable) &&
                    !FD_ISSET(socket, &failed);
    }
    nonBlocking = 0;
    ioctlsocket(socket, FIONBIO, &nonBlocking);
    if (!connected) {
        closesocket(socket);
        return INVALID_SOCKET;
    }
    return socket;
}
