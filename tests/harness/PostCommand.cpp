// Sends commands to the running main window as its menus and buttons do, for screenshots:
//   post-command.exe [--maximize|--restore|--quit] [command ...]
// Each command goes out as WM_COMMAND; the tool waits a moment after each so the window can paint.
// --quit asks both programs to exit, the way the installer does before it replaces them.
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
        } else if (std::strcmp(argv[i], "--quit") == 0) {
            if (HWND tray = FindWindowA(kWindowClassName, kTrayWindowTitle)) {
                PostMessageA(tray, kMessageQuit, 0, 0);
            }
            PostMessageA(window, kMessageQuit, 0, 0);
        } else {
            PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[i])), 0);
        }
        Sleep(700);
    }
    return 0;
}
