#include "main/processes/WindowsView_win.h"

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "main/CommandIds.h"
#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/View.h"
#include "main/processes/ProcessLayer_win.h"

namespace {

RowTable g_windowTable = MakeRowTable(WindowColumnCount);
TableListView g_windows;
HIMAGELIST g_windowImages = nullptr;
HWND g_windowsView = nullptr;

// Asking a window of another program for its icon waits at most this long; a hung window is not
// asked at all.
constexpr UINT kIconAnswerMilliseconds = 500;
// A window asked to close that has not answered after this long counts as hung.
constexpr UINT kCloseAnswerMilliseconds = 2000;
// The shell's generic program icon, the last fallback of every row.
constexpr int kShellProgramIcon = 2;

std::vector<ListColumn> WindowColumns() {
    return {
        {LanguageText(LanguageKey::WindowTitle), 200, LVCFMT_LEFT, WindowColumnTitle, CompareCellText},
        {LanguageText(LanguageKey::Handle), 70, LVCFMT_LEFT, WindowColumnHandle, CompareCellNumber},
        {LanguageText(LanguageKey::Process), 100, LVCFMT_LEFT, WindowColumnProcess, CompareCellText},
        {LanguageText(LanguageKey::ProcessID), 60, LVCFMT_LEFT, WindowColumnProcessId, CompareCellNumber},
        {LanguageText(LanguageKey::Position), 75, LVCFMT_LEFT, WindowColumnPosition, CompareCellText},
        {LanguageText(LanguageKey::Size), 75, LVCFMT_LEFT, WindowColumnSize, CompareCellText},
        {LanguageText(LanguageKey::Deactivated), 60, LVCFMT_LEFT, WindowColumnDeactivated, CompareCellText},
        {LanguageText(LanguageKey::Hidden), 60, LVCFMT_LEFT, WindowColumnHidden, CompareCellText},
        {LanguageText(LanguageKey::Status), 70, LVCFMT_LEFT, WindowColumnStatus, CompareCellText},
        {LanguageText(LanguageKey::Foreground), 70, LVCFMT_LEFT, WindowColumnForeground, CompareCellText},
    };
}

bool BoxChecked(int id) {
    return g_windowsView != nullptr && IsDlgButtonChecked(g_windowsView, id) == BST_CHECKED;
}

// The images of one rebuild: the shell's program icon at 0, each executable's icon once.
struct WindowImages {
    std::map<std::string, int> ofExecutable;
};

void ResetWindowImages() {
    ImageList_RemoveAll(g_windowImages);
    HICON generic = nullptr;
    if (ExtractSmallIcon("shell32.dll", kShellProgramIcon, &generic) > 0 && generic != nullptr) {
        ImageList_AddIcon(g_windowImages, generic);
        DestroyIcon(generic);
    } else {
        ImageList_AddIcon(g_windowImages, LoadIcon(nullptr, IDI_APPLICATION));
    }
}

// The window's own small icon; a window that does not answer in time has none.
HICON AskedIcon(HWND window) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, WM_GETICON, ICON_SMALL2, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kIconAnswerMilliseconds,
                             &answer)) {
        return nullptr;
    }
    if (answer > 1)
        return reinterpret_cast<HICON>(answer);
    // The class icons cost no message; the image list scales a large one down.
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    return icon != nullptr ? icon : reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
}

int WindowImage(HWND window, const std::string& executable, WindowImages& images) {
    if (HICON own = AskedIcon(window)) {
        int index = ImageList_AddIcon(g_windowImages, own);
        if (index >= 0)
            return index;
    }
    if (executable.empty())
        return 0;
    auto known = images.ofExecutable.find(executable);
    if (known != images.ofExecutable.end())
        return known->second;
    int index = 0;
    HICON small = nullptr;
    if (ExtractSmallIcon(executable, 0, &small) > 0 && small != nullptr) {
        index = ImageList_AddIcon(g_windowImages, small);
        DestroyIcon(small);
    }
    images.ofExecutable[executable] = index < 0 ? 0 : index;
    return images.ofExecutable[executable];
}

struct RebuildPass {
    WindowFilter filter;
    int screenWidth = 0;
    int screenHeight = 0;
    std::map<DWORD, std::string> pathOfProcess;
    WindowImages images;
    std::vector<WindowRecord> records;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    RebuildPass& pass = *reinterpret_cast<RebuildPass*>(context);
    WindowRecord record;
    record.visible = IsWindowVisible(window) != FALSE;
    if (!record.visible && !pass.filter.hidden)
        return TRUE;
    char title[kWindowTitleLength + 1] = {};
    GetWindowTextA(window, title, sizeof title);
    record.title = title;
    RECT frame{};
    GetWindowRect(window, &frame);
    record.left = frame.left;
    record.top = frame.top;
    record.width = frame.right - frame.left;
    record.height = frame.bottom - frame.top;
    record.minimised = IsIconic(window) != FALSE;
    if (!WindowListed(record, pass.filter, pass.screenWidth, pass.screenHeight))
        return TRUE;
    record.handle = reinterpret_cast<uintptr_t>(window);
    record.enabled = IsWindowEnabled(window) != FALSE;
    record.maximised = IsZoomed(window) != FALSE;
    record.topmost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    record.processId = pid;
    auto path = pass.pathOfProcess.find(pid);
    if (path == pass.pathOfProcess.end())
        path = pass.pathOfProcess.emplace(pid, ProcessPath(pid)).first;
    record.processPath = path->second;
    record.image = WindowImage(window, record.processPath, pass.images);
    pass.records.push_back(std::move(record));
    return TRUE;
}

void SetTopmost(HWND window, bool topmost) {
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void SetTranslucency(HWND window, int percent) {
    LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    if (percent <= 0) {
        SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
        SetWindowLongA(window, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        return;
    }
    SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(TransparencyAlpha(percent)), LWA_ALPHA);
}

void RepairPosition(HWND window) {
    ShowWindowAsync(window, SW_RESTORE);
    WindowPlacement place = RepairedPlacement(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    SetWindowPos(window, HWND_TOP, place.x, place.y, place.width, place.height, SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
}

using EndTaskFunction = BOOL(WINAPI*)(HWND, BOOL, BOOL);

// Wine exports EndTask as a stub that aborts its caller, so there the close is done by hand.
EndTaskFunction EndTaskEntry() {
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr)
        return nullptr;
    return SlotFunctionAs<EndTaskFunction>(kUser32Slot, "EndTask");
}

// What a forced EndTask does: asks the window to close and, when its program does not answer,
// ends the program.
void CloseByHand(HWND window) {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseAnswerMilliseconds, &answer))
        return;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
        TerminateProcess(process, 1);
        CloseHandle(process);
    }
}

// Closes the window the way the task list does; nothing when the user library is not open.
void CloseWindowForced(HWND window) {
    if (!IsSlotOpen(kUser32Slot))
        return;
    if (EndTaskFunction endTask = EndTaskEntry())
        endTask(window, FALSE, TRUE);
    else
        CloseByHand(window);
}

}  // namespace

TableListView& WindowsList() {
    return g_windows;
}

void CreateWindowsList(HWND view) {
    g_windowsView = view;
    CreateTableListView(g_windows, view, ControlWindowList, &g_windowTable, WindowColumns(), false);
    g_windowImages = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 32, 32);
    SetListViewImageList(g_windows.list, g_windowImages);
}

void LayoutWindowsList(int width, int height) {
    if (g_windows.list != nullptr)
        MoveWindow(g_windows.list, 0, 0, width, height > kViewCheckBoxRowHeight ? height - kViewCheckBoxRowHeight : 0,
                   TRUE);
}

void RebuildWindowsList() {
    if (g_windows.list == nullptr)
        return;
    RebuildPass pass;
    pass.filter = {BoxChecked(ControlHiddenWindows), BoxChecked(ControlNoSizeWindows),
                   BoxChecked(ControlOutsideWindows)};
    pass.screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    pass.screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    SetRedraw(g_windows.list, false);
    ListViewState state = SaveListViewState(g_windows);
    ResetWindowImages();
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&pass));
    g_windowTable.rows.clear();
    for (const WindowRecord& record : pass.records)
        AppendWindowRow(g_windowTable, record);
    RestoreListViewState(g_windows, state);
    SetRedraw(g_windows.list, true);
    InvalidateRect(g_windows.list, nullptr, TRUE);
}

HWND SelectedWindow() {
    size_t row = CurrentRow(g_windows);
    if (row == kNoRow)
        return nullptr;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(CellUnsigned(g_windowTable, row, WindowColumnHandle)));
}

DWORD SelectedWindowProcessId() {
    size_t row = CurrentRow(g_windows);
    return row == kNoRow ? 0 : static_cast<DWORD>(CellUnsigned(g_windowTable, row, WindowColumnProcessId));
}

void PrepareWindowsMenu(HMENU menu) {
    HWND window = SelectedWindow();
    bool exists = window != nullptr && IsWindow(window);
    CheckMenuItem(menu, CommandWindowForeground,
                  MF_BYCOMMAND | (exists && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? MF_CHECKED : 0));
    CheckMenuItem(menu, CommandWindowHidden, MF_BYCOMMAND | (exists && !IsWindowVisible(window) ? MF_CHECKED : 0));
    CheckMenuItem(menu, CommandWindowDeactivated, MF_BYCOMMAND | (exists && !IsWindowEnabled(window) ? MF_CHECKED : 0));
}

void BringWindowForward(HWND window) {
    ShowWindowAsync(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
}

// The actions reach other programs' windows through their message queues without waiting, so a
// hung program never hangs the list (enabling and disabling has no such form and waits).
bool RunWindowsCommand(int id) {
    const bool transparency = id >= CommandTransparencyNone && id <= CommandTransparencyLast;
    if (!transparency && id != CommandEnd && (id < CommandWindowForeground || id > CommandWindowRepairPosition) &&
        id != CommandWindowJumpWindow) {
        return false;
    }
    HWND window = SelectedWindow();
    // A window that has gone since the last rebuild is simply left out.
    if (window == nullptr || !IsWindow(window))
        return true;
    if (transparency) {
        SetTranslucency(window, (id - CommandTransparencyNone) * 10);
        return true;
    }
    switch (id) {
        case CommandWindowForeground:
            SetTopmost(window, (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
            break;
        case CommandWindowHidden:
            ShowWindowAsync(window, IsWindowVisible(window) ? SW_HIDE : SW_SHOW);
            break;
        case CommandWindowDeactivated:
            EnableWindow(window, !IsWindowEnabled(window));
            break;
        case CommandWindowMinimize:
            ShowWindowAsync(window, SW_MINIMIZE);
            break;
        case CommandWindowMaximize:
            ShowWindowAsync(window, SW_MAXIMIZE);
            break;
        case CommandWindowRestore:
            ShowWindowAsync(window, SW_RESTORE);
            break;
        case CommandWindowRepairPosition:
            RepairPosition(window);
            break;
        case CommandWindowJumpWindow:
            BringWindowForward(window);
            break;
        case CommandEnd:
            CloseWindowForced(window);
            RebuildWindowsList();
            break;
    }
    return true;
}

bool HandleWindowsListNotification(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != ControlWindowList)
        return false;
    if (header.code == NM_DBLCLK) {
        if (HWND window = SelectedWindow(); window != nullptr && IsWindow(window))
            BringWindowForward(window);
        result = 0;
        return true;
    }
    return HandleTableListNotification(g_windows, header, result);
}
