#pragma once
// Whether the internet can be reached: a TCP connection to a web server is opened and closed again.
// The server is a setting (group Systray), so tests and users behind a filter can point it elsewhere.

#include <windows.h>

#include <string>

constexpr char kProbeHostKey[] = "PreferencesInternetProbeHost";
constexpr char kProbePortKey[] = "PreferencesInternetProbePort";
constexpr char kDefaultProbeHost[] = "www.example.com";
constexpr int kDefaultProbePort = 80;

// How long each asker waits for the connection: system-start agencies can afford to wait at logon;
// avoid agencies decide while the program they may end is starting.
constexpr long kSystemStartProbeMilliseconds = 3000;
constexpr long kAvoidProbeMilliseconds = 1000;

struct InternetProbeTarget {
    std::string host = kDefaultProbeHost;
    int port = kDefaultProbePort;
};

// Reads the target from the settings file; the defaults when the file or the keys are missing.
InternetProbeTarget ReadInternetProbeTarget(const std::string& settingsPath);

// True when a connection was established within the time.
bool ProbeInternet(const InternetProbeTarget& target, long timeoutMilliseconds);
