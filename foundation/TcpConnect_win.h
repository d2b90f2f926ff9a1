#pragma once
// An outgoing TCP connection over Winsock 1.1 that gives up after a time limit, for the rating
// exchange and the tray companion's internet probe. The caller has started Winsock.

#include <winsock.h>

#include <string>

// A dotted IPv4 address as it stands, or the first IPv4 address of a host name.
bool ResolveIpv4Host(const std::string& host, in_addr& address);

// Connects to host:port, waiting at most the given time for the other side to take the connection
// (an unreachable host costs that time rather than the system's minutes). The socket comes back in
// blocking mode; INVALID_SOCKET when the host is unknown, the port out of range or nobody answered.
SOCKET ConnectWithTimeLimit(const std::string& host, int port, long milliseconds);
