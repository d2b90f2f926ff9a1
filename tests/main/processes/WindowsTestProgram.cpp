// Windows for the windows view's tests, one of each kind the view's check boxes tell apart. Their
// titles carry the kind and this process's id; the program runs until it is ended.
#include <windows.h>

#include <cstdlib>
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

// With a count as its argument, it shows that many plain windows instead, for the benchmark.
int main(int argc, char** argv) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TestWindowCallback;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIcon(nullptr, IDI_WARNING);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = "VantrelWindowsTest";
    RegisterClassA(&windowClass);
    const std::string pid = " " + std::to_string(GetCurrentProcessId());
    const int count = argc > 1 ? std::atoi(argv[1]) : 0;
    for (int i = 0; i < count; ++i)
        ShowWindow(MakeWindow("Bench " + std::to_string(i) + pid, 0, 10 + i % 50, 10 + i % 40, 200, 100),
                   SW_SHOWNOACTIVATE);
    if (count > 0) {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
        return 0;
    }
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
