// Sends commands to the running main window as its menus and buttons do, for screenshots:
//   post-command.exe [--maximize|--restore] [--to Title] [command | control=item ...]
// Each command goes out as WM_COMMAND; the tool waits a moment after each so the window can paint.
// --to sends what follows to the main program's secondary window of that title; control=item
// chooses an item of a combo box there as a click on the list would.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "main/CommandIds.h"

int main(int argc, char** argv) {
    HWND window = nullptr;
    for (int wait = 0; wait < 200 && window == nullptr; ++wait) {
        window = FindWindowA(kWindowClassName, kMainWindowTitle);
        if (window == nullptr) {
            Sleep(50);
        }
    }
    if (window == nullptr) {
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--maximize") == 0) {
            PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        } else if (std::strcmp(argv[i], "--restore") == 0) {
            PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else if (std::strcmp(argv[i], "--to") == 0 && i + 1 < argc) {
            window = FindWindowA("VantrelSecondary", argv[++i]);
            continue;
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
