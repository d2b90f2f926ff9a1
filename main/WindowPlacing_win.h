#pragma once
// Where the program's secondary windows and dialogs open: over or beside the main window, on the
// work area of the monitor that shows it.

#include <windows.h>

#include "main/Geometry.h"
#include "main/WindowSnapping.h"

inline ScreenRect ScreenRectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The work area (the screen without the taskbar) of the monitor nearest to the window; the
// primary monitor's without one.
inline ScreenRect WorkAreaNear(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    HMONITOR nearest = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
    if (nearest != nullptr && GetMonitorInfoA(nearest, &monitor))
        return ScreenRectOf(monitor.rcWork);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return ScreenRectOf(work);
}

// The owner's rectangle while it is shown on the screen, else the work area.
inline ScreenRect ShownRectOf(HWND owner) {
    RECT rect;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &rect))
        return ScreenRectOf(rect);
    return WorkAreaNear(owner);
}

// Centred over the owner, kept on the work area.
inline WindowPlacement PlacementOver(HWND owner, int width, int height) {
    return KeptOnWorkArea(CentredPlacement(ShownRectOf(owner), width, height), WorkAreaNear(owner));
}

// Beside the owner (right, else left, else where it covers least of it), kept on the work area.
inline WindowPlacement PlacementNextTo(HWND owner, int width, int height) {
    return PlacementBeside(ShownRectOf(owner), width, height, WorkAreaNear(owner));
}

inline void MoveWindowTo(HWND window, const WindowPlacement& place) {
    SetWindowPos(window, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
}
