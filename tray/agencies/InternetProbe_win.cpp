#include "tray/agencies/InternetProbe_win.h"

#include <winsock.h>

#include "foundation/SettingsFile.h"
#include "foundation/TcpConnect_win.h"

namespace {

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
    if (!WinsockStarted()) {
        return false;
    }
    const SOCKET probe = ConnectWithTimeLimit(target.host, target.port, timeoutMilliseconds);
    if (probe == INVALID_SOCKET) {
        return false;
    }
    closesocket(probe);
    return true;
}
