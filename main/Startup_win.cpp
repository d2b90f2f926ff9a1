#include "main/Startup_win.h"

#include <tlhelp32.h>

#include <string>

#include "foundation/CodePage_win.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ProgramPaths_win.h"
#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "main/ImageButtons_win.h"
#include "main/LibraryTable_win.h"
#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/Menus_win.h"
#include "main/Preferences_win.h"
#include "main/ProgramDatabase_win.h"
#include "main/ProgramModel.h"
#include "main/SecondaryWindows_win.h"
#include "main/StartupRules.h"
#include "main/StatusBar_win.h"
#include "main/Views_win.h"
#include "main/database/RatingCacheFile.h"
#include "main/database/RatingNetwork_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "main/processes/SystemFigures_win.h"
#include "main/services/ServiceControl_win.h"

namespace {

// Held from start-up to exit: the single-instance mutex goes with the process, the counters are
// closed by the exit procedure.
HANDLE g_mutex = nullptr;
ProcessorCounters g_processorCounters;

// Another instance runs when its mutex exists: bring its window to the front and stop here.
bool AnotherInstanceRuns() {
    if (!ScopedHandle(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kInstanceMutexName)).valid()) {
        return false;
    }
    // Sent, so the running window is in front before this process ends; but a running instance
    // that hangs must not hang this one too.
    if (HWND running = FindWindowA(kWindowClassName, kMainWindowTitle)) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(running, kMessageActivate, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                            kActivateTimeoutMilliseconds, &result);
    }
    return true;
}

// Whether a process runs from exactly this path (letter case counts: another copy elsewhere is not
// ours). Only processes whose image has the path's file name are asked for their path: asking
// every process would cost the start a module query of each.
bool RunsFromPath(const std::string& path) {
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) {
        for (BeginProcessEnumeration(); NextProcess() != 0;) {
            if (ProcessPath(CurrentProcessId()) == path) {
                return true;
            }
        }
        return false;
    }
    std::string name = FileNameOfPath(path);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (lstrcmpiA(FileNameOfPath(entry.szExeFile).c_str(), name.c_str()) == 0 &&
            ProcessPath(entry.th32ProcessID) == path) {
            return true;
        }
    }
    return false;
}

// Starts the tray companion from this program's folder unless it runs from there already.
void StartTrayCompanion() {
    std::string path = TrayCompanionPath(ProgramFolder());
    if (RunsFromPath(path)) {
        return;
    }
    std::string commandLine = TrayCompanionCommandLine(path);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(),
                   &startup, &process);
    // The companion runs on its own: its handles are closed at once.
    ScopedHandle thread(process.hThread);
    ScopedHandle companion(process.hProcess);
}

void EnablePrivileges() {
    g_program.privilegeFlag = 0;
    for (const char* privilege : kStartupPrivileges) {
        if (!EnablePrivilege(privilege)) {
            g_program.privilegeFlag = 1;
            break;
        }
    }
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
    UpdateSystemFigures(g_program.figures, g_processorCounters);
}

}  // namespace

bool StartProgram(HINSTANCE instance) {
    UseSystemCodePage();
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    if (AnotherInstanceRuns()) {
        return false;
    }
    ScopedHandle mutex(CreateMutexA(nullptr, FALSE, kInstanceMutexName));
    if (mutex.valid() && GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another start got there between our look and our creation: it is the one that runs.
        return false;
    }
    g_mutex = mutex.release();

    g_program.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    g_program.processorCount = system.dwNumberOfProcessors > 0 ? static_cast<int>(system.dwNumberOfProcessors) : 1;
    g_program.preferences = MainPreferences{};
    g_program.currentView = -1;
    g_windows.lightBlueBrush.reset(CreateSolidBrush(kLightBlueBackground));

    OpenLibraryTable();
    EnablePrivileges();
    InitProcessLayer();
    StartTrayCompanion();
    // The first pass over the processes runs while the windows are made.
    RequestProcessListRefresh();

    SetMessageBoxFunction(Win32MessageBox);
    LoadLanguage();
    g_program.preferences.PreferencesLanguageFile = CurrentLanguage().fileName;

    // The settings are read before the windows are made, so the process list gets its columns and
    // the window its size once. Making the window reports its first place back through WM_MOVE; the
    // place read from the file is the one it opens in.
    LoadPreferences(true);
    const MainWindowPlacement placementRead = g_program.preferences.Window;
    if (!CreateMainWindows(instance)) {
        return false;
    }
    g_program.preferences.Window = placementRead;
    ShowPreferencesInViews();
    UpdatePowerMenu();
    SwitchView(ViewProcesses, false);
    ShowMainWindow();

    // What the first window does not show waits until it shows.
    OpenServiceManager();
    g_program.databaseKey = RatingCacheKey();
    g_program.networkAvailable = StartRatingNetwork() ? 1 : 0;
    g_program.database.network =
        WinsockRatingNetwork({g_program.preferences.DatabaseServerHost, g_program.preferences.DatabaseServerPort},
                             g_program.networkAvailable != 0);
    ConnectRatingDatabase();
    SetUpProcessorCounters(g_processorCounters, g_program.processorCount);
    if (g_program.preferences.PreferencesUseDatabase) {
        LoadRatingDatabase();
    }
    // The first fill, with the ratings just loaded, shows before anything else is made.
    RefreshView(ViewProcesses);
    UpdateWindow(g_windows.window);
    if (g_program.preferences.PreferencesOptimize) {
        TrimEveryListedProcess();
    }
    SampleSystemFigures();
    DrawStatusBar();
    // Nobody sees the preferences window before it is opened, so it is made last; it is made at
    // start-up at all because its title is how a look from outside tells which language a fresh
    // start runs in.
    SecondaryWindowHandle(WindowPreferences);
    ShowPreferencesValues(g_program.preferences);
    StartRefreshTimers(g_program.timers, GetTickCount());
    return true;
}

void IdleRefresh() {
    UpdateHotButton();
    const MainPreferences& preferences = g_program.preferences;
    DueRefreshes due =
        TakeDueRefreshes(g_program.timers, GetTickCount(), TimerInterval(preferences.PreferencesRefresh1Spin),
                         TimerInterval(preferences.PreferencesRefresh2Spin));
    if (due.graph) {
        StepViewGraphs();
    }
    if (due.figures) {
        SampleSystemFigures();
        ShowViewFigures();
        DrawStatusBar();
    }
    if (due.list) {
        RefreshListsOnTimer();
    }
}

void RunEventLoop() {
    for (;;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kLoopWaitMilliseconds, QS_ALLINPUT);
        CloseDatabaseWaitWindow();
        MSG message;
        LoopPass pass;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return;
            }
            NoteLoopMessage(pass, message.message);
            HWND target = message.hwnd;
            bool inMainWindow = target == g_windows.window || IsChild(g_windows.window, target);
            if (inMainWindow && TranslateAcceleratorA(g_windows.window, g_windows.accelerators, &message)) {
                continue;
            }
            HWND dialog = GetAncestor(target, GA_ROOT);
            if (dialog != nullptr && dialog != g_windows.window && IsDialogMessageA(dialog, &message)) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (StatusNeedsDrawing(pass)) {
            DrawStatusBar();
        }
        if (LoopIsIdle(pass)) {
            IdleRefresh();
        }
    }
}

namespace {

// Asks the tray companion to quit; with `keep` returns its process (the caller closes it), so that
// one can wait for it to end.
HANDLE QuitTrayCompanion(bool keep) {
    HWND tray = FindWindowA(kWindowClassName, kTrayWindowTitle);
    if (tray == nullptr) {
        return nullptr;
    }
    DWORD trayId = 0;
    GetWindowThreadProcessId(tray, &trayId);
    HANDLE process = keep ? OpenProcess(SYNCHRONIZE, FALSE, trayId) : nullptr;
    PostMessageA(tray, kMessageQuit, 0, 0);
    return process;
}

// The restart for a new language, once everything is saved: the new instance finds neither this
// one's mutex nor the old companion, and so starts as a first instance with a fresh companion.
void StartNewInstance(ScopedHandle& trayProcess) {
    if (trayProcess.valid()) {
        WaitForSingleObject(trayProcess.get(), kRestartTrayWaitMilliseconds);
    }
    ScopedHandle mutex(g_mutex);
    g_mutex = nullptr;
    mutex.reset();
    std::string path = ProgramFolder() + "\\vantrel.exe";
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

}  // namespace

void ExitProgram() {
    const bool restart = g_program.restartAfterExit != 0;
    ScopedHandle trayProcess;
    if (!g_program.preferences.PreferencesRemain || restart) {
        trayProcess.reset(QuitTrayCompanion(restart));
    }
    CloseProcessorCounters(g_processorCounters);
    SavePreferences(true);
    g_windows.lightBlueBrush.reset();
    if (g_program.preferences.PreferencesUseDatabase) {
        SaveRatingDatabase();
    }
    StopProcessListSampling();
    FreeProcessLayer();
    CloseServiceManager();
    if (restart) {
        StartNewInstance(trayProcess);
    }
    ExitProcess(0);
}
