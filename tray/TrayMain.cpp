// The tray companion: no visible main window, three icons in the notification area, and one loop.
#include <windows.h>

#include "tray/TrayStartup_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    int started = StartTray(instance, commandLine);
    if (started >= 0) {
        return started;
    }
    RunTrayLoop();
    return 0;
}
