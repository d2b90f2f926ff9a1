#include "tray/TrayStartup_win.h"

#include <cstring>

#include "foundation/CodePage_win.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ProgramPaths_win.h"
#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "main/LibraryTable_win.h"
#include "main/StartupRules.h"
#include "main/processes/ProcessLayer_win.h"
#include "resources/PngBitmap_win.h"
#include "resources/ResourceIds.h"
#include "tray/ColourWindow_win.h"
#include "tray/OpacityBar_win.h"
#include "tray/TrayIcons_win.h"
#include "tray/TrayMenu.h"
#include "tray/TrayMenu_win.h"
#include "tray/TrayPlugIns_win.h"
#include "tray/TrayProgram_win.h"
#include "tray/agencies/AgencyWindows_win.h"

namespace {

constexpr char kTrayMutexName[] = "Vantrel_Systray_Mutex";
constexpr char kAutorunArgument[] = "-Autorun";
constexpr const char* kTrayPrivileges[] = {"SeDebugPrivilege", "SeIncreaseBasePriorityPrivilege",
                                           "SeShutdownPrivilege"};

HANDLE g_mutex = nullptr;  // held for the life of the process
bool g_mainKeysWereDown = false;

void PostToMainWindow(UINT message) {
    if (HWND main = FindWindowA(kWindowClassName, kMainWindowTitle)) {
        PostMessageA(main, message, 0, 0);
    }
}

// Each program's instance mutex exists while it runs.
bool AnotherTrayRuns() {
    return ScopedHandle(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kTrayMutexName)).valid();
}

bool MainProgramRuns() {
    return ScopedHandle(OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutexName)).valid();
}

HFONT CreatePointFont(const char* face, int points) {
    ScopedWindowDc screen(nullptr);
    int height = -MulDiv(points, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

// The 16 x 16 optimise image as an icon with its soft edges.
HICON LoadPngIcon(HINSTANCE instance, int resource) {
    SIZE size{};
    ScopedGdiObject<HBITMAP> colour(LoadPngBitmap(instance, resource, &size));
    if (!colour.valid()) {
        return nullptr;
    }
    ScopedGdiObject<HBITMAP> mask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour.get();
    info.hbmMask = mask.get();
    return CreateIconIndirect(&info);
}

LRESULT CALLBACK TrayWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TrayProgram& tray = Tray();
    if (message == tray.taskbarCreatedMessage && message != 0) {
        RestoreTrayIcons();
        return 0;
    }
    switch (message) {
        case kMessageQuit:
            ExitTray(false);
            return 0;
        case kMessageReloadSettings:
            ReloadSmartSelection();
            return 0;
        case WM_DISPLAYCHANGE:
            BuildTrayMenu();
            return 0;
        case kTrayIconMessage:
            if (lParam == WM_RBUTTONUP) {
                ShowTrayMenu();
            } else if (lParam == WM_LBUTTONDBLCLK) {
                StartMainProgram();
            }
            return 0;
        case WM_COMMAND:
            RunTrayCommand(LOWORD(wParam));
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Right Alt + Delete starts the main program once per press.
void PollMainProgramHotKey() {
    bool down = (TrayShell().asyncKeyState(VK_RMENU) & 0x8000) && (TrayShell().asyncKeyState(VK_DELETE) & 0x8000);
    if (down && !g_mainKeysWereDown) {
        StartMainProgram();
    }
    g_mainKeysWereDown = down;
}

}  // namespace

bool CreateTrayWindows(HINSTANCE instance) {
    TrayProgram& tray = Tray();
    tray.instance = instance;
    tray.smallFont = CreatePointFont("Tahoma", 8);
    tray.labelFont = CreatePointFont("Arial", 10);
    tray.programIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VANTREL), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    tray.optimizeIcon = LoadPngIcon(instance, IDR_PNG_MENU_OPTIMIZE);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TrayWindowCallback;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClassName;
    RegisterClassExA(&windowClass);
    tray.window = CreateWindowExA(0, kWindowClassName, kTrayWindowTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    if (tray.window == nullptr) {
        return false;
    }
    // Sent to every top-level window when the shell's taskbar (again) exists.
    tray.taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    BuildTrayMenu();
    AddTrayIcons();
    tray.opacityBar = CreateOpacityBar(instance, tray.window);
    tray.colourWindow = CreateColourWindow(instance);
    return true;
}

void DestroyTrayWindows() {
    TrayProgram& tray = Tray();
    RemoveTrayIcons();
    for (HWND* window : {&tray.colourWindow, &tray.opacityBar, &tray.window}) {
        if (*window != nullptr) {
            DestroyWindow(*window);
            *window = nullptr;
        }
    }
    if (tray.menu != nullptr) {
        DestroyMenu(tray.menu);
        tray.menu = nullptr;
    }
    FreeTrayMenuImages();
    for (HFONT* font : {&tray.smallFont, &tray.labelFont}) {
        if (*font != nullptr) {
            DeleteObject(*font);
            *font = nullptr;
        }
    }
    for (HICON* icon : {&tray.programIcon, &tray.optimizeIcon}) {
        if (*icon != nullptr) {
            DestroyIcon(*icon);
            *icon = nullptr;
        }
    }
}

int StartTray(HINSTANCE instance, const char* commandLine) {
    TrayProgram& tray = Tray();
    tray.startTick = GetTickCount();
    UseSystemCodePage();
    tray.preferences = TrayPreferences{};
    tray.settingsPath = SettingsFilePath();
    ReadTrayPreferences(tray.settingsPath, tray.preferences);
    // When the main program started us, it runs already: a second start of it would only ask it
    // forward, or, were it closing meanwhile, open it again against the user's wish.
    if (tray.preferences.PreferencesRemain == 0 && !MainProgramRuns()) {
        StartMainProgram();
    }
    SetMessageBoxFunction(Win32MessageBox);
    LoadLanguage();

    if (AnotherTrayRuns()) {
        PostToMainWindow(kMessageActivate);
        return 0;
    }
    g_mutex = CreateMutexA(nullptr, FALSE, kTrayMutexName);

    SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS);
    tray.autorun = commandLine != nullptr && std::strstr(commandLine, kAutorunArgument) != nullptr;
    OpenLibraryTable();
    for (const char* privilege : kTrayPrivileges) {
        EnablePrivilege(privilege);
    }
    InitProcessLayer();
    // Before the tray window: whoever finds that window may rely on the agencies being armed.
    StartAgencies();
    if (!CreateTrayWindows(instance)) {
        return 1;
    }
    StartSmartMonitoring();
    StartTrayStamps(tray.stamps, GetTickCount());
    return -1;
}

void RunTrayTasks() {
    TrayProgram& tray = Tray();
    const TrayPreferences& preferences = tray.preferences;
    bool watching = preferences.PreferencesAutoSlowDown != 0 || preferences.PreferencesAutoShowStart != 0;
    DueTrayTasks due =
        TakeDueTrayTasks(tray.stamps, GetTickCount(), preferences.PreferencesMonitorSMART != 0, watching);
    if (due.smartLog) {
        LogSmartChanges();
    }
    if (due.icon) {
        RefreshTrayIcons();
    }
    if (due.agency) {
        RunAgencyPass(tray.autorun);
    }
    if (due.priorityWatch) {
        RunPriorityWatch();
    }
    PollMainProgramHotKey();
    PollOpacityHotKey();
}

void RunTrayLoop() {
    for (;;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kTrayLoopWaitMilliseconds, QS_ALLINPUT);
        RunTrayTasks();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return;
            }
            if (Tray().colourWindow != nullptr && IsDialogMessageA(Tray().colourWindow, &message)) {
                continue;
            }
            if (HandleAgencyWindowKeys(message)) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void ExitTray(bool fromMenu) {
    if (fromMenu) {
        PostToMainWindow(kMessageQuit);
        if (Tray().preferences.PreferencesMonitorSMART != 0) {
            SaveSmartTable();
        }
    }
    StopAgencies();
    FreeProcessLayer();
    // Taken away now rather than left to the shell, which keeps a dead icon until the mouse passes it.
    RemoveTrayIcons();
    PostQuitMessage(0);
}
