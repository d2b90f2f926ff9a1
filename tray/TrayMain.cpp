// The tray companion. Its window stays invisible; the main program finds it by class and title.
#include <windows.h>

#include "foundation/CodePage_win.h"
#include "main/CommandIds.h"

namespace {

LRESULT CALLBACK TrayWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kMessageQuit:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    UseSystemCodePage();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TrayWindowCallback;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClassName;
    if (!RegisterClassExA(&windowClass)) {
        return 1;
    }
    if (CreateWindowExA(0, kWindowClassName, kTrayWindowTitle, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance,
                        nullptr) == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
