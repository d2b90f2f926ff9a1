#pragma once
// The host's own view of its interfaces, which Wine's interface table reports from, and traffic
// on its loopback interface.

#include <cstdint>
#include <map>
#include <string>

struct HostCounters {
    uint64_t received = 0;
    uint64_t sent = 0;
};

// Octets by interface name, from /proc/net/dev.
std::map<std::string, HostCounters> HostInterfaces();
// Sends UDP datagrams of `size` bytes to the discard port on the loopback interface.
void SendLoopbackTraffic(int datagrams, int size);
