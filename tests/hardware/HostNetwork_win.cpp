#include <windows.h>

#include <winsock2.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "tests/hardware/HostNetwork_win.h"

std::map<std::string, HostCounters> HostInterfaces() {
    std::map<std::string, HostCounters> interfaces;
    std::ifstream file("Z:\\proc\\net\\dev");
    std::string line;
    while (std::getline(file, line)) {
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string name = line.substr(0, colon);
        name.erase(0, name.find_first_not_of(' '));
        std::istringstream fields(line.substr(colon + 1));
        uint64_t value[9] = {};
        for (uint64_t& field : value)
            fields >> field;
        interfaces[name] = {value[0], value[8]};
    }
    return interfaces;
}

void SendLoopbackTraffic(int datagrams, int size) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return;
    SOCKET sender = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(9);
    target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::vector<char> payload(size);
    for (int i = 0; i < datagrams; ++i)
        sendto(sender, payload.data(), size, 0, reinterpret_cast<sockaddr*>(&target), sizeof target);
    closesocket(sender);
    WSACleanup();
}
