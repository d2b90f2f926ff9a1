#include "tray/agencies/InternetProbe_win.h"

#include <winsock.h>

#include "foundation/SettingsFile.h"

namespace {

bool AddressOf(const std::string& host, in_addr& address) {
    address.s_addr = inet_addr(host.c_str());
    if (address.s_addr != INADDR_NONE) {
        return true;
    }
    const hostent* found = gethostbyname(host.c_str());
    if (found == nullptr || found->h_addrtype != AF_INET || found->h_addr_list[0] == nullptr) {
        return false;
    }
    address = *reinterpret_cast<const in_addr*>(found->h_addr_list[0]);
    return true;
}

// Started once and kept: the tray companion probes for the whole run.
bool WinsockStarted() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(1, 1), &data) == 0;
    }();
    return started;
}

}  // namespace

InternetProbeTarget ReadInternetProbeTarget(const std::string& settingsPath) {
    InternetProbeTarget target;
    SettingsFile file;
    if (OpenSettingsFile(file, settingsPath)) {
        SelectGroup(file, "Systray");
        target.host = ReadSettingString(file, kProbeHostKey, target.host);
        target.port = ReadSettingInteger(file, kProbePortKey, target.port);
        CloseSettingsFile(file);
    }
    return target;
}

bool ProbeInternet(const InternetProbeTarget& target, long timeoutMilliseconds) {
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<u_short>(target.port));
    if (!WinsockStarted() || target.port <= 0 || target.port > 65535 || !AddressOf(target.host, server.sin_addr)) {
        return false;
    }
    SOCKET probe = socket(AF_INET, SOCK_STREAM, 0);
    if (probe == INVALID_SOCKET) {
        return false;
    }
    // Without blocking, so a host that never answers costs the time limit and no more.
    u_long pending = 1;
    ioctlsocket(probe, FIONBIO, &pending);
    bool reached = connect(probe, reinterpret_cast<const sockaddr*>(&server), sizeof(server)) == 0;
    if (!reached && WSAGetLastError() == WSAEWOULDBLOCK) {
        fd_set done;
        fd_set refused;
        FD_ZERO(&done);
        FD_ZERO(&refused);
        FD_SET(probe, &done);
        FD_SET(probe, &refused);
        timeval limit{timeoutMilliseconds / 1000, (timeoutMilliseconds % 1000) * 1000};
        reached = select(0, nullptr, &done, &refused, &limit) > 0 && FD_ISSET(probe, &done) != 0 &&
                  FD_ISSET(probe, &refused) == 0;
    }
    closesocket(probe);
    return reached;
}
