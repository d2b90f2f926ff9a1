// Windows for the windows view's tests, one of each kind the view's check boxes tell apart. Their
// titles carry the kind and this process's id; the program runs until it is ended.
#include <windows.h>

#include <string>

namespace {

// Closing any of the windows ends the program, as closing a main window does.
LRESULT CALLBACK TestWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(const std::string& title, DWORD extendedStyle, int x, int y, int width, int height) {
    // A framed window has a least size; only a bare one can have none.
    DWORD style = width == 0 ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    return CreateWindowExA(extendedStyle, "VantrelWindowsTest", title.c_str(), style, x, y, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int main() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TestWindowCallback;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIcon(nullptr, IDI_WARNING);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = "VantrelWindowsTest";
    RegisterClassA(&windowClass);
    const std::string pid = " " + std::to_string(GetCurrentProcessId());
    ShowWindow(MakeWindow("Normal" + pid, 0, 100, 100, 300, 200), SW_SHOWNORMAL);
    MakeWindow("Hidden" + pid, 0, 120, 120, 300, 200);
    ShowWindow(MakeWindow("NoSize" + pid, 0, 140, 140, 0, 0), SW_SHOWNOACTIVATE);
    ShowWindow(MakeWindow("Outside" + pid, 0, 30000, 30000, 300, 200), SW_SHOWNOACTIVATE);
    ShowWindow(MakeWindow("Minimised" + pid, 0, 30000, 30000, 300, 200), SW_SHOWMINNOACTIVE);
    ShowWindow(MakeWindow("Topmost" + pid, WS_EX_TOPMOST, 160, 160, 300, 200), SW_SHOWNOACTIVATE);
    ShowWindow(MakeWindow("Program Manager", 0, 180, 180, 300, 200), SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
