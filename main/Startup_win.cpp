#include "main/Startup_win.h"

#include <ctime>

#include "foundation/CodePage_win.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ProgramPaths_win.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/MainProgram.h"
#include "main/MainWindow_win.h"
#include "main/Menus_win.h"
#include "main/Preferences_win.h"
#include "main/StatusBar_win.h"
#include "main/LibraryTable_win.h"
#include "main/database/RatingCacheFile.h"
#include "main/database/RatingNetwork_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "main/services/ServiceControl_win.h"
#include "resources/PngBitmap_win.h"
#include "resources/ResourceIds.h"

namespace {

const char kMutexName[] = "Vantrel_Mutex";
constexpr DWORD kLoopWaitMilliseconds = 25;
constexpr UINT kActivateTimeout = 5000;

// Another instance runs when its mutex exists: bring its window to the front and stop here.
bool AnotherInstanceRuns() {
    HANDLE existing = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kMutexName);
    if (existing == nullptr) {
        return false;
    }
    CloseHandle(existing);
    // Sent, so the running window is in front before this process ends; but a running instance
    // that hangs must not hang this one too.
    if (HWND running = FindWindowA(kWindowClassName, kMainWindowTitle)) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(running, MessageActivate, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, kActivateTimeout, &result);
    }
    return true;
}

// Starts the tray companion from this program's folder unless a process runs from exactly that
// path (letter case counts: another copy elsewhere is not ours).
void StartTrayCompanion() {
    std::string path = ProgramFolder() + "\\vtlsystray.exe";
    for (BeginProcessEnumeration(); NextProcess() != 0;) {
        if (ProcessPath(CurrentProcessId()) == path) {
            return;
        }
    }
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(),
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void EnablePrivileges() {
    const char* privileges[] = {"SeDebugPrivilege", "SeIncreaseBasePriorityPrivilege", "SeRestorePrivilege",
                                "SeShutdownPrivilege"};
    g_program.privilegeFlag = 0;
    for (const char* privilege : privileges) {
        if (!EnablePrivilege(privilege)) {
            g_program.privilegeFlag = 1;
            break;
        }
    }
}

std::string RatingCachePath() {
    return ProgramFolder() + "\\vantrel.db";
}

// The cache's own fixed texts, shown as they are: no title, error icon.
void ShowDatabaseMessage(const char* text) {
    if (text != nullptr && *text != '\0') {
        ShowMessageBox("", text, kMessageBoxError);
    }
}

void LoadRatingDatabase() {
    ShowDatabaseMessage(RatingLoadMessage(
        LoadRatingCache(g_program.database.cache, RatingCachePath(), LocalEpochSeconds(std::time(nullptr)))));
}

void SaveRatingDatabase() {
    ShowDatabaseMessage(RatingSaveMessage(SaveRatingCache(g_program.database.cache, RatingCachePath())));
}

// Once at start-up, right after the list was filled: every listed process gives back the memory it
// does not use. Results are of no interest.
void TrimEveryListedProcess() {
    const RowTable& table = *ProcessListView().table;
    for (size_t row = 0; row < RowCount(table); ++row) {
        TrimWorkingSet(static_cast<DWORD>(CellInteger(table, row, kProcessColumnProcessId)));
    }
}

void SampleSystemFigures() {
    UpdateSystemFigures(g_program.figures, g_program.processorCounters);
}

}  // namespace

bool StartProgram(HINSTANCE instance) {
    UseSystemCodePage();
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    if (AnotherInstanceRuns()) {
        return false;
    }
    g_program.mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    if (g_program.mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another start got there between our look and our creation: it is the one that runs.
        CloseHandle(g_program.mutex);
        g_program.mutex = nullptr;
        return false;
    }

    g_program.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    g_program.processorCount = system.dwNumberOfProcessors > 0 ? static_cast<int>(system.dwNumberOfProcessors) : 1;
    g_program.preferences = MainPreferences{};
    g_program.currentView = -1;
    g_program.lightBlueBrush = CreateSolidBrush(0xFFDDCC);

    OpenLibraryTable();
    EnablePrivileges();
    InitProcessLayer();
    OpenServiceManager();
    StartTrayCompanion();

    g_program.databaseKey = RatingCacheKey();
    SetMessageBoxFunction(Win32MessageBox);
    LoadLanguage();
    g_program.preferences.PreferencesLanguageFile = CurrentLanguage().fileName;

    g_program.networkAvailable = StartRatingNetwork() ? 1 : 0;

    if (!CreateMainWindows(instance)) {
        return false;
    }
    LoadPreferences(true);
    g_program.database.network = WinsockRatingNetwork(
        {g_program.preferences.DatabaseServerHost, g_program.preferences.DatabaseServerPort},
        g_program.networkAvailable != 0);
    ConnectRatingDatabase();
    SetUpProcessorCounters(g_program.processorCounters, g_program.processorCount);
    UpdatePowerMenu();
    SwitchView(ViewProcesses, true);
    ShowMainWindow();
    if (g_program.preferences.PreferencesUseDatabase) {
        LoadRatingDatabase();
    }
    if (g_program.preferences.PreferencesOptimize) {
        TrimEveryListedProcess();
    }
    SampleSystemFigures();
    DrawStatusBar();
    StartRefreshTimers(g_program.timers, GetTickCount());
    return true;
}

void IdleRefresh() {
    UpdateHotButton();
    const MainPreferences& preferences = g_program.preferences;
    DueRefreshes due = TakeDueRefreshes(g_program.timers, GetTickCount(),
                                        TimerInterval(preferences.PreferencesRefresh1Spin),
                                        TimerInterval(preferences.PreferencesRefresh2Spin));
    if (due.figures) {
        SampleSystemFigures();
        DrawStatusBar();
    }
    if (due.list) {
        int view = g_program.currentView;
        if (view == ViewProcesses || view == ViewMonitor) {
            RefreshView(ViewProcesses);
        }
        if (view == ViewWindows || view == ViewServices || view == ViewNetworks || view == ViewSmart) {
            RefreshView(view);
        }
    }
}

void ConnectRatingDatabase() {
    RatingProgressSetup& setup = g_program.databaseProgress;
    setup.instance = g_program.instance;
    setup.owner = g_program.window;
    setup.disabledWindows = {g_program.window, g_program.secondary[WindowPreferences]};
    setup.font = g_program.uiFont;
    if (setup.image == nullptr) {
        // The window's panel is white, and a static control draws its bitmap without blending.
        setup.image = LoadPngBitmapOn(g_program.instance, IDR_PNG_DATABASE, RGB(255, 255, 255));
    }
    setup.title = kMainWindowTitle;
    setup.searchingText = LanguageText(LanguageKey::SearchingDatabase);
    setup.cancelText = LanguageText(LanguageKey::Cancel);

    RatingDatabase& database = g_program.database;
    database.texts = {LanguageText(LanguageKey::LookupUpdates), LanguageText(LanguageKey::RatingSystemInternal),
                      LanguageText(LanguageKey::RatingTrustworthyProgram)};
    database.now = [] { return LocalEpochSeconds(std::time(nullptr)); };
    database.progress = [](const std::string& caption, bool openWindow) {
        return RatingProgressStep(g_program.databaseProgress, caption, openWindow);
    };
}

void CloseDatabaseWaitWindow() {
    if (RatingProgressWindow() != nullptr) {
        CloseRatingProgress(g_program.database);
    }
}

int RunEventLoop() {
    for (;;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kLoopWaitMilliseconds, QS_ALLINPUT);
        CloseDatabaseWaitWindow();
        MSG message;
        bool arrived = false;
        bool onlyMouseMoves = true;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return static_cast<int>(message.wParam);
            }
            arrived = true;
            if (message.message != WM_MOUSEMOVE) {
                onlyMouseMoves = false;
            }
            HWND target = message.hwnd;
            bool inMainWindow = target == g_program.window || IsChild(g_program.window, target);
            if (inMainWindow && TranslateAcceleratorA(g_program.window, g_program.accelerators, &message)) {
                continue;
            }
            HWND dialog = GetAncestor(target, GA_ROOT);
            if (dialog != nullptr && dialog != g_program.window && IsDialogMessageA(dialog, &message)) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (arrived && !onlyMouseMoves) {
            DrawStatusBar();
        }
        if (!arrived || onlyMouseMoves) {
            IdleRefresh();
        }
    }
}

void ExitProgram() {
    if (!g_program.preferences.PreferencesRemain) {
        if (HWND tray = FindWindowA(kWindowClassName, kTrayWindowTitle)) {
            PostMessageA(tray, MessageQuit, 0, 0);
        }
    }
    CloseProcessorCounters(g_program.processorCounters);
    if (g_program.lightBlueBrush != nullptr) {
        DeleteObject(g_program.lightBlueBrush);
    }
    SavePreferences(true);
    if (g_program.preferences.PreferencesUseDatabase) {
        SaveRatingDatabase();
    }
    FreeProcessLayer();
    CloseServiceManager();
    ExitProcess(0);
}
