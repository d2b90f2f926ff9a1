#pragma once
// The three tray icons: drawn once a second from the system's figures, added, changed and removed
// with their settings, and added again when the shell's tray comes back.

#include <windows.h>

#include <string>

// Start-up: the program icon as icon 0, and the first reading of the network counters.
void AddTrayIcons();
// Samples the figures and draws and installs the network, value and hardware icons.
void RefreshTrayIcons();
// After the shell restarted: the icons shown before are added to the new tray.
void RestoreTrayIcons();
// Icon 0 shows the optimise image and its tooltip until the next refresh.
void ShowOptimizingIcon();
void RemoveTrayIcons();
// A balloon over icon 0 for about a second; `infoFlags` is NIIF_INFO, NIIF_WARNING or NIIF_ERROR.
void ShowTrayBalloon(const std::string& title, const std::string& text, DWORD infoFlags);

// A tray icon from a drawn image: pure white pixels become transparent.
HICON CreateIconFromImage(const struct IconImage& image);
