#include "main/processes/InformationWindow_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "foundation/ScopedHandles_win.h"
#include "foundation/ValueFormatting.h"
#include "main/CommandIds.h"
#include "main/FileVersionInfo_win.h"
#include "main/SystemFiles_win.h"
#include "main/WindowPlacing_win.h"
#include "main/processes/CpuHistory_win.h"
#include "main/processes/InformationFields.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "resources/PngBitmap_win.h"

namespace {

enum InformationBarIndex : int { BarCpu, BarPhysical, BarPagefile, BarHistory, BarCount };

constexpr unsigned kCompanyNameFlag = 128;
constexpr unsigned kProductVersionFlag = 64;
constexpr int kMargin = 10;
constexpr int kLabelWidth = 120;
constexpr int kValueLeft = kMargin + kLabelWidth + 6;
constexpr int kLineHeight = 20;
constexpr int kFieldsTop = 50;
constexpr int kHistoryHeight = 16;

struct InformationWindowState {
    HWND window = nullptr;
    const RowTable* autoruns = nullptr;
    std::array<InformationBar, 3> bars;
    std::array<ScopedGdiObject<HBITMAP>, BarCount> bitmaps;
    HICON icon = nullptr;
    HICON parentIcon = nullptr;
    std::string shownParentPath = "\x01";
    std::string moduleKey = "\x01";  // the process whose modules are listed
    std::vector<ProcessModule> modules;
    int sortColumn = 0;
    bool sortAscending = true;
    unsigned moduleFills = 0;
    bool placed = false;  // opened once: from then on it stays where the user leaves it
};

InformationWindowState g_information;

int FieldTop(int field) {
    // The bars sit under the CPU, memory and page file lines.
    return kFieldsTop + field * kLineHeight + std::max(0, field - FieldCpu) * (kInformationBarHeight + 4);
}

void SetTextIfChanged(HWND control, const std::string& text) {
    if (control == nullptr)
        return;
    char shown[1024] = "";
    GetWindowTextA(control, shown, sizeof shown);
    if (text != shown)
        SetWindowTextA(control, text.c_str());
}

void SetField(int field, const std::string& label, const std::string& value) {
    SetTextIfChanged(GetDlgItem(g_information.window, ControlInformationLabelFirst + field), label);
    SetTextIfChanged(GetDlgItem(g_information.window, ControlInformationValueFirst + field), value);
}

void EnableField(int field, bool enabled) {
    HWND control = GetDlgItem(g_information.window, ControlInformationValueFirst + field);
    if (control != nullptr && (IsWindowEnabled(control) != FALSE) != enabled)
        EnableWindow(control, enabled ? TRUE : FALSE);
}

std::string Label(LanguageKey key) {
    return LanguageText(key) + ":";
}

void ReplaceIcon(HICON& kept, int control, HICON icon) {
    SetStaticIcon(GetDlgItem(g_information.window, control), icon);
    if (kept != nullptr)
        DestroyIcon(kept);
    kept = icon;
}

void ShowBar(int index, const InformationBar& bar) {
    g_information.bars[static_cast<size_t>(index)] = bar;
    HBITMAP bitmap = CreateColourBitmap(bar.pixels, kInformationBarWidth, kInformationBarHeight);
    SetStaticBitmap(GetDlgItem(g_information.window, ControlInformationBarFirst + index), bitmap);
    g_information.bitmaps[static_cast<size_t>(index)].reset(bitmap);
}

// The row's CPU history, right-aligned in a strip as wide as the bars; an empty strip without one.
void ShowHistoryStrip(int imageNumber) {
    HBITMAP history = imageNumber > 0 ? CpuHistoryImage(imageNumber) : nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, kInformationBarWidth, kHistoryHeight);
    HDC target = CreateCompatibleDC(screen);
    HGDIOBJ oldTarget = SelectObject(target, strip);
    RECT all = {0, 0, kInformationBarWidth, kHistoryHeight};
    FillRect(target, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    BITMAP size{};
    if (history != nullptr && GetObjectA(history, sizeof size, &size) != 0) {
        HDC source = CreateCompatibleDC(screen);
        HGDIOBJ oldSource = SelectObject(source, history);
        const int width = std::min<int>(size.bmWidth, kInformationBarWidth);
        StretchBlt(target, kInformationBarWidth - width, 0, width, kHistoryHeight, source, size.bmWidth - width, 0,
                   width, size.bmHeight, SRCCOPY);
        SelectObject(source, oldSource);
        DeleteDC(source);
    }
    SelectObject(target, oldTarget);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    SetStaticBitmap(GetDlgItem(g_information.window, ControlInformationBarFirst + BarHistory), strip);
    g_information.bitmaps[BarHistory].reset(strip);
}

void SortModules() {
    const int column = g_information.sortColumn;
    const bool ascending = g_information.sortAscending;
    std::stable_sort(g_information.modules.begin(), g_information.modules.end(),
                     [column, ascending](const ProcessModule& a, const ProcessModule& b) {
                         const int order =
                             _stricmp((column == 0 ? a.name : a.path).c_str(), (column == 0 ? b.name : b.path).c_str());
                         return ascending ? order < 0 : order > 0;
                     });
}

void ShowModules() {
    HWND list = GetDlgItem(g_information.window, ControlInformationModules);
    SetRedraw(list, false);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < g_information.modules.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(g_information.modules[i].name.c_str());
        const int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        item.iItem = at;
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(g_information.modules[i].path.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
    }
    SetRedraw(list, true);
}

void RefillModules(DWORD pid) {
    g_information.modules = pid != 0 ? ProcessModules(pid) : std::vector<ProcessModule>();
    SortModules();
    ShowModules();
    ++g_information.moduleFills;
}

void ShowSummary(const RowTable& processes) {
    SetTextIfChanged(GetDlgItem(g_information.window, ControlInformationTitle),
                     std::to_string(RowCount(processes)) + " " + LanguageText(LanguageKey::Processes));
    char user[512] = "";
    DWORD length = sizeof user;
    if (!GetUserNameA(user, &length))
        user[0] = '\0';
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    std::string desktop;
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode))
        desktop = DesktopText(static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                              static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency));
    for (int field = 0; field < FieldCount; ++field) {
        std::string label;
        std::string value;
        if (field == FieldProcess)
            value = LanguageText(LanguageKey::Username) + ": " + user;
        else if (field == FieldCompany)
            value = LanguageText(LanguageKey::ComputerOnFor) + " " + FormatDuration(GetTickCount() / 1000);
        else if (field == FieldVersion)
            label = Label(LanguageKey::DesktopResolution), value = desktop;
        SetField(field, label, value);
        EnableField(field, true);
    }
    if (g_information.moduleKey != "") {
        g_information.moduleKey = "";
        ReplaceIcon(g_information.icon, ControlInformationIcon, nullptr);
        ReplaceIcon(g_information.parentIcon, ControlInformationParentIcon, nullptr);
        g_information.shownParentPath = "\x01";
        RefillModules(0);
    }
    for (int bar = BarCpu; bar <= BarPagefile; ++bar)
        ShowBar(bar, DrawInformationBar(0, 0));
    ShowHistoryStrip(0);
}

void ShowProcess(const RowTable& processes, size_t row) {
    const ProcessInformationTexts texts = ProcessInformationFor(processes, row, g_information.autoruns);
    const std::string& path = Cell(processes, row, kProcessColumnFilePath);
    const DWORD pid = static_cast<DWORD>(CellUnsigned(processes, row, kProcessColumnProcessId));

    SetTextIfChanged(GetDlgItem(g_information.window, ControlInformationTitle), texts.title);
    SetField(FieldProcess, Label(LanguageKey::Process), texts.title);
    SetField(FieldCompany, Label(LanguageKey::Company), FileVersionText(path, kCompanyNameFlag, false));
    SetField(FieldVersion, Label(LanguageKey::Version), FileVersionText(path, kProductVersionFlag, false));
    SetField(FieldFileName, Label(LanguageKey::FileName), texts.fileName);
    SetField(FieldFolder, Label(LanguageKey::Directory), texts.folder);
    EnableField(FieldFolder, texts.folderEnabled);
    SYSTEMTIME started{};
    SetField(FieldStarted, Label(LanguageKey::StartetAt),
             ProcessCreationTime(pid, started) ? FormatStartTime(started.wHour, started.wMinute, started.wSecond,
                                                                 started.wDay, started.wMonth, started.wYear)
                                               : Cell(processes, row, kProcessColumnRunningTime));
    SetField(FieldParent, Label(LanguageKey::StartetBy), "      " + texts.parentName);
    SetField(FieldRating, Label(LanguageKey::DatabaseRating), texts.rating);
    SetField(FieldAutostart, Label(LanguageKey::Autorun), texts.autostartKind);
    SetField(FieldAutostartEntry, "", texts.autostartEntry);
    EnableField(FieldAutostartEntry, texts.autostartFound);
    SetField(FieldCpu, texts.cpuLabel, texts.cpuValue);

    const uint64_t workingSet = WorkingSet(pid);
    const uint64_t pagefile = PagefileUsage(pid);
    const uint64_t totalPhysical = TotalPhysicalMemory();
    const uint64_t totalPagefile = TotalPageFile();
    SetField(FieldMemory, MemoryUsageText(workingSet), PercentText(workingSet, totalPhysical));
    SetField(FieldPagefile,
             LanguageText(LanguageKey::Pagefile) + ": " + FormatBytes64(static_cast<int64_t>(pagefile), 1),
             PercentText(pagefile, TotalVirtualMemory()));

    ShowBar(BarCpu, DrawInformationBar(CpuBarWidth(texts.cpuPercent), 0));
    ShowBar(BarPhysical, DrawInformationBar(ShareBarWidth(workingSet, totalPhysical),
                                            ShareBarWidth(UsedPhysicalMemory(), totalPhysical)));
    ShowBar(BarPagefile,
            DrawInformationBar(ShareBarWidth(pagefile, totalPagefile), ShareBarWidth(UsedPageFile(), totalPagefile)));
    ShowHistoryStrip(static_cast<int>(CellInteger(processes, row, kProcessColumnHistoryImage)));

    if (texts.parentPath != g_information.shownParentPath) {
        g_information.shownParentPath = texts.parentPath;
        HICON icon = nullptr;
        if (texts.parentPath.empty() || ExtractSmallIcon(texts.parentPath, 0, &icon) == 0 || icon == nullptr)
            ExtractSmallIcon("shell32.dll", 2, &icon);
        ReplaceIcon(g_information.parentIcon, ControlInformationParentIcon, icon);
    }
    // Another process: its icon and modules. The pid tells apart two processes of one name.
    const std::string key = std::to_string(pid) + "|" + texts.title;
    if (key != g_information.moduleKey) {
        g_information.moduleKey = key;
        HICON icon = nullptr;
        if (ExtractLargeIcon(path, 0, &icon) == 0 || icon == nullptr)
            ExtractLargeIcon("shell32.dll", 2, &icon);
        ReplaceIcon(g_information.icon, ControlInformationIcon, icon);
        RefillModules(pid);
    }
}

}  // namespace

void FillInformationWindow(HWND window, HFONT font) {
    g_information.window = window;
    AddProcessListChangeObserver([] { RefreshInformationWindow(0); });
    AddControl(window, "STATIC", "", SS_ICON, kMargin, 8, 32, 32, ControlInformationIcon, font);
    AddControl(window, "STATIC", "", SS_LEFT | SS_ENDELLIPSIS | SS_NOPREFIX, kMargin + 42, 16, 380, 18,
               ControlInformationTitle, font);
    RECT client;
    GetClientRect(window, &client);
    const int valueWidth = client.right - kValueLeft - kMargin;
    for (int field = 0; field < FieldCount; ++field) {
        const int top = FieldTop(field);
        const bool cpuLine = field >= FieldCpu;
        AddControl(window, "STATIC", "", SS_LEFT | SS_NOPREFIX, kMargin, top, cpuLine ? 260 : kLabelWidth, 16,
                   ControlInformationLabelFirst + field, font);
        AddControl(window, "STATIC", "", SS_LEFT | SS_ENDELLIPSIS | SS_NOPREFIX, cpuLine ? 280 : kValueLeft, top,
                   cpuLine ? 80 : valueWidth, 16, ControlInformationValueFirst + field, font);
        if (cpuLine)
            AddControl(window, "STATIC", "", SS_BITMAP, kMargin, top + kLineHeight - 2, kInformationBarWidth,
                       kInformationBarHeight, ControlInformationBarFirst + (field - FieldCpu), font);
    }
    AddControl(window, "STATIC", "", SS_ICON | SS_REALSIZEIMAGE, kValueLeft, FieldTop(FieldParent) - 1, 16, 16,
               ControlInformationParentIcon, font);
    const int historyTop = FieldTop(FieldCount) - 4;
    AddControl(window, "STATIC", "", SS_BITMAP, kMargin, historyTop, kInformationBarWidth, kHistoryHeight,
               ControlInformationBarFirst + BarHistory, font);
    const int modulesTop = historyTop + kHistoryHeight + 10;
    AddControl(window, "STATIC", LanguageText(LanguageKey::UsedModules), SS_LEFT, kMargin, modulesTop,
               client.right - 2 * kMargin, 18, ControlInformationModulesLabel, font);
    HWND list = AddControl(window, WC_LISTVIEWA, "", LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, kMargin,
                           modulesTop + 20, client.right - 2 * kMargin, client.bottom - modulesTop - 20 - kMargin,
                           ControlInformationModules, font);
    SetListViewExtendedStyle(list, LVS_EX_FULLROWSELECT);
    InsertListViewColumn(list, 0, LanguageText(LanguageKey::Name), 120, LVCFMT_LEFT);
    InsertListViewColumn(list, 1, LanguageText(LanguageKey::FullPath), 280, LVCFMT_LEFT);
}

void SetInformationAutoruns(const RowTable* autoruns) {
    g_information.autoruns = autoruns;
}

void RefreshInformationWindow(int force) {
    HWND window = g_information.window;
    const RowTable* processes = ProcessListView().table;
    if (window == nullptr || processes == nullptr || (!force && !IsWindowVisible(window)))
        return;
    const size_t row = CurrentRow(ProcessListView());
    if (row == kNoRow)
        ShowSummary(*processes);
    else
        ShowProcess(*processes, row);
}

void ShowInformationWindow() {
    RefreshInformationWindow(1);
    HWND window = g_information.window;
    RECT own;
    if (!IsWindowVisible(window) && GetWindowRect(window, &own)) {
        // The first time beside the main window; later where the user left it, as long as that is
        // still on the work area (the screen may have changed meanwhile).
        const int width = own.right - own.left;
        const int height = own.bottom - own.top;
        const WindowPlacement place = g_information.placed
                                          ? KeptOnWorkArea({own.left, own.top, width, height}, WorkAreaNear(window))
                                          : PlacementNextTo(GetWindow(window, GW_OWNER), width, height);
        MoveWindowTo(window, place);
        g_information.placed = true;
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(g_information.window);
}

bool HandleInformationWindowNotification(const NMHDR& header) {
    if (header.idFrom != ControlInformationModules || header.code != LVN_COLUMNCLICK)
        return false;
    const int column = WholeNotification<NMLISTVIEW>(header).iSubItem;
    g_information.sortAscending = column == g_information.sortColumn ? !g_information.sortAscending : true;
    g_information.sortColumn = column;
    SortModules();
    ShowModules();
    return true;
}

uint32_t InformationBarPixelAt(int bar, int x, int y) {
    if (bar < 0 || bar > BarPagefile)
        return 0;
    return InformationBarPixel(g_information.bars[static_cast<size_t>(bar)], x, y);
}

unsigned InformationModuleFills() {
    return g_information.moduleFills;
}
