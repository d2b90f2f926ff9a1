// The baseline of the tray companion's idle cost: a hidden window and a loop that wakes every
// 100 ms and does nothing else, the least any program with the tray companion's schedule costs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "PollingLoop";
    RegisterClassA(&windowClass);
    CreateWindowA("PollingLoop", "Polling Loop", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    for (;;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return 0;
            }
            DispatchMessageA(&message);
        }
    }
}
