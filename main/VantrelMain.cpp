// The process manager's entry point.
#include <windows.h>

#include "main/Startup_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!StartProgram(instance)) {
        return 0;
    }
    RunEventLoop();
    ExitProgram();
}
