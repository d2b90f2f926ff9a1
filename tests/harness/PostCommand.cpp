// Sends commands to the running main window as its menus and buttons do, for screenshots:
//   post-command.exe [--tray] [--maximize|--restore|--quit] [--click control] [--to Title] [--tab Title n]
//                    [command | control=item ...]
// Each command goes out as WM_COMMAND; the tool waits a moment after each so the window can paint.
// --click presses the check box or button of that identifier in the main window's views as a mouse
// click does. --to sends what follows to the main program's secondary window of that title;
// control=item chooses an item of a combo box there as a click on the list would. --quit asks both
// programs to exit, the way the installer does before it replaces them. --tray, first, sends the
// commands to the tray companion's window instead, as its menu does.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "main/CommandIds.h"

namespace {

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindControl(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<ControlSearch*>(parameter);
    if (GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    HWND window = nullptr;
    const bool toTray = argc > 1 && std::strcmp(argv[1], "--tray") == 0;
    for (int wait = 0; wait < 200 && window == nullptr; ++wait) {
        window = FindWindowA(kWindowClassName, toTray ? kTrayWindowTitle : kMainWindowTitle);
        if (window == nullptr) {
            Sleep(50);
        }
    }
    if (window == nullptr) {
        return 1;
    }
    for (int i = toTray ? 2 : 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--maximize") == 0) {
            PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        } else if (std::strcmp(argv[i], "--restore") == 0) {
            PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else if (std::strcmp(argv[i], "--click") == 0 && i + 1 < argc) {
            ControlSearch search{std::atoi(argv[++i]), nullptr};
            EnumChildWindows(window, FindControl, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                PostMessageA(search.found, BM_CLICK, 0, 0);
            }
        } else if (std::strcmp(argv[i], "--to") == 0 && i + 1 < argc) {
            window = FindWindowA("VantrelSecondary", argv[++i]);
            continue;
        } else if (std::strcmp(argv[i], "--tab") == 0 && i + 2 < argc) {
            // The tab control of the window of that title moves to the tab as a click on it does.
            HWND owner = FindWindowA(nullptr, argv[++i]);
            HWND tabs = owner != nullptr ? FindWindowExA(owner, nullptr, "SysTabControl32", nullptr) : nullptr;
            SendMessageA(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(std::atoi(argv[++i])), 0);
        } else if (std::strcmp(argv[i], "--quit") == 0) {
            if (HWND tray = FindWindowA(kWindowClassName, kTrayWindowTitle)) {
                PostMessageA(tray, kMessageQuit, 0, 0);
            }
            PostMessageA(window, kMessageQuit, 0, 0);
        } else if (const char* equals = std::strchr(argv[i], '=')) {
            const int control = std::atoi(argv[i]);
            SendDlgItemMessageA(window, control, CB_SETCURSEL, static_cast<WPARAM>(std::atoi(equals + 1)), 0);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(control, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, control)));
        } else {
            PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[i])), 0);
        }
        Sleep(700);
    }
    return 0;
}
