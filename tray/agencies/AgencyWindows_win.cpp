#include "tray/agencies/AgencyWindows_win.h"

#include <commctrl.h>

#include "foundation/Controls_win.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ProgramPaths_win.h"
#include "foundation/SettingsFile.h"
#include "main/SystemFiles_win.h"
#include "main/TableListView_win.h"
#include "main/autoruns/Link_win.h"
#include "resources/PngBitmap_win.h"
#include "resources/ResourceIds.h"
#include "tray/TrayMenu.h"
#include "tray/TrayPlugIns_win.h"
#include "tray/TrayProgram_win.h"
#include "tray/agencies/AgencyTables.h"
#include "tray/agencies/AgencyWizards_win.h"

namespace {

constexpr char kAgencyWindowClass[] = "VantrelAgencyWindow";
constexpr char kAgencyFileName[] = "agency.dat";
constexpr int kWindowWidth = 610;
constexpr int kWindowHeight = 360;
constexpr int kPictureWidth = 96;
constexpr COLORREF kPictureColour = RGB(0x34, 0x65, 0xA4);
constexpr int kMargin = 8;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 24;
constexpr int kTabsId = 90;
constexpr int kFirstPageId = 100;  // + 10 per list: list, add, remove, edit
constexpr int kShellDefaultIcon = 2;
constexpr int kPageCount = 3;

struct AgencyPage {
    AgencyKind kind = AgencyKind::SystemStart;
    RowTable table;
    TableListView view;
    HWND buttons[3] = {};  // add, remove, edit
    HIMAGELIST images = nullptr;
};

struct AgencyWindows {
    HWND exec = nullptr;
    HWND avoid = nullptr;
    HWND tabs = nullptr;
    HBITMAP pictures[2] = {};  // exec, avoid
    AgencyPage pages[kPageCount];
    bool uiEnabled = true;
};

AgencyWindows g_windows;

AgencyPage& PageOf(AgencyKind kind) {
    return g_windows.pages[static_cast<int>(kind)];
}

int ControlId(AgencyKind kind, AgencyControl control) {
    return kFirstPageId + 10 * static_cast<int>(kind) + static_cast<int>(control);
}

HWND WindowOf(AgencyKind kind) {
    return kind == AgencyKind::Avoid ? g_windows.avoid : g_windows.exec;
}

HICON RowIcon(const std::string& file) {
    HICON icon = nullptr;
    if (file.empty() || ExtractSmallIcon(file, 0, &icon) == 0 || icon == nullptr) {
        icon = nullptr;
        ExtractSmallIcon(WindowsFolder() + "\\system32\\shell32.dll", kShellDefaultIcon, &icon);
    }
    return icon;
}

// The rows' icons, read anew with the rows: a row's program may have changed.
std::vector<int> FillRowImages(AgencyPage& page, const std::vector<AgencyRow>& rows) {
    ImageList_RemoveAll(page.images);
    std::vector<int> indexes;
    for (const AgencyRow& row : rows) {
        HICON icon = RowIcon(AgencyIconFile(row, page.kind));
        indexes.push_back(icon != nullptr ? ImageList_AddIcon(page.images, icon) : -1);
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
    return indexes;
}

void UpdateButtons(AgencyPage& page) {
    bool selected = CurrentRow(page.view) != kNoRow;
    EnableWindow(page.buttons[1], selected);
    EnableWindow(page.buttons[2], selected);
}

void ShowPage(AgencyPage& page, bool shown) {
    int show = shown ? SW_SHOW : SW_HIDE;
    ShowWindow(page.view.list, show);
    for (HWND button : page.buttons) {
        ShowWindow(button, show);
    }
}

void ShowSelectedTab() {
    bool programStart = TabCtrl_GetCurSel(g_windows.tabs) == 1;
    ShowPage(PageOf(AgencyKind::SystemStart), !programStart);
    ShowPage(PageOf(AgencyKind::ProgramStart), programStart);
}

// The list and its buttons in the rectangle, the buttons in a row beneath the list at its right.
void CreatePage(HWND window, AgencyKind kind, RECT area) {
    AgencyPage& page = PageOf(kind);
    page.kind = kind;
    page.images =
        ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 8, 8);
    page.table = AgencyTable({}, kind, {});
    CreateTableListView(page.view, window, ControlId(kind, AgencyControl::List), &page.table, AgencyColumns(kind),
                        false);
    SetListViewImageList(page.view.list, page.images);
    int buttonTop = area.bottom - kButtonHeight;
    MoveWindow(page.view.list, area.left, area.top, area.right - area.left, buttonTop - kMargin - area.top, FALSE);
    const std::string texts[3] = {LanguageText(LanguageKey::AddProgram) + "...",
                                  LanguageText(LanguageKey::RemoveProgram), LanguageText(LanguageKey::EditProgram)};
    for (int button = 0; button < 3; ++button) {
        int x = area.right - (3 - button) * kButtonWidth - (2 - button) * kMargin;
        page.buttons[button] =
            AddControl(window, "BUTTON", texts[button], WS_TABSTOP | BS_PUSHBUTTON, x, buttonTop, kButtonWidth,
                       kButtonHeight, ControlId(kind, static_cast<AgencyControl>(button + 2)), nullptr);
    }
    UpdateButtons(page);
}

// In the middle of the work area, where a window called up from the tray is looked for.
HWND CreateAgencyWindow(HINSTANCE instance, const char* title) {
    RECT work{0, 0, kWindowWidth, kWindowHeight};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = work.left + (work.right - work.left - kWindowWidth) / 2;
    int y = work.top + (work.bottom - work.top - kWindowHeight) / 2;
    HWND window =
        CreateWindowExA(0, kAgencyWindowClass, title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
                        kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(IDI_VANTREL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                             GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return window;
}

RECT ContentArea(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    area.left = kPictureWidth + kMargin;
    area.top += kMargin;
    area.right -= kMargin;
    area.bottom -= kMargin;
    return area;
}

void CreateExecWindow(HINSTANCE instance) {
    g_windows.exec = CreateAgencyWindow(instance, kExecAgencyTitle);
    RECT area = ContentArea(g_windows.exec);
    g_windows.tabs = AddControl(g_windows.exec, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, area.left, area.top,
                                area.right - area.left, area.bottom - area.top, kTabsId, nullptr);
    for (LanguageKey key : {LanguageKey::SystemStart, LanguageKey::ProgramStart}) {
        std::string text = LanguageText(key);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = &text[0];
        TabCtrl_InsertItem(g_windows.tabs, TabCtrl_GetItemCount(g_windows.tabs), &item);
    }
    RECT inside = area;
    TabCtrl_AdjustRect(g_windows.tabs, FALSE, &inside);
    InflateRect(&inside, -kMargin / 2, -kMargin / 2);
    CreatePage(g_windows.exec, AgencyKind::SystemStart, inside);
    CreatePage(g_windows.exec, AgencyKind::ProgramStart, inside);
    // The pages lie over the tab control, which must not paint over them.
    SetWindowPos(g_windows.tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowSelectedTab();
}

void CreateAvoidWindow(HINSTANCE instance) {
    g_windows.avoid = CreateAgencyWindow(instance, kAvoidAgencyTitle);
    CreatePage(g_windows.avoid, AgencyKind::Avoid, ContentArea(g_windows.avoid));
}

void PaintPicture(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    RECT panel = {0, 0, kPictureWidth, client.bottom};
    HBRUSH brush = CreateSolidBrush(kPictureColour);
    FillRect(dc, &panel, brush);
    DeleteObject(brush);
    HBITMAP picture = g_windows.pictures[window == g_windows.avoid ? 1 : 0];
    BITMAP size{};
    if (picture != nullptr && GetObjectA(picture, sizeof(size), &size) != 0) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, picture);
        BitBlt(dc, (kPictureWidth - size.bmWidth) / 2, 3 * kMargin, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    RECT caption = {kMargin / 2, 3 * kMargin + 40, kPictureWidth - kMargin / 2, 3 * kMargin + 120};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    HGDIOBJ oldFont =
        SelectObject(dc, Tray().labelFont != nullptr ? Tray().labelFont : GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, title, -1, &caption, DT_CENTER | DT_WORDBREAK);
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

void OpenWizard(HWND owner, AgencyKind kind, size_t row) {
    EnableAgencyUi(false);
    if (row == kNoRow) {
        RunAgencyWizard(owner, kind);
    } else {
        RunAgencyEditDialog(owner, kind, row);
    }
    EnableAgencyUi(true);
    RefreshAgencyLists();
}

size_t SelectedAgency(AgencyPage& page) {
    return AgencyIndexOfRow(page.table, CurrentRow(page.view));
}

void RemoveSelectedAgency(HWND window, AgencyPage& page) {
    size_t index = SelectedAgency(page);
    std::vector<AgencyRow>& rows = AgencyList(TheAgencies(), page.kind);
    if (index >= rows.size()) {
        return;
    }
    if (ShowMessageBox(AgencyWindowTitle(page.kind), RemoveAgencyQuestion(rows[index]), kMessageBoxQuestion) !=
        kAnswerYes) {
        return;
    }
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
    SaveAgencies();
}

void RunPageCommand(HWND window, int id) {
    int offset = id - kFirstPageId;
    if (offset < 0 || offset >= 10 * kPageCount) {
        return;
    }
    AgencyPage& page = g_windows.pages[offset / 10];
    switch (static_cast<AgencyControl>(offset % 10)) {
        case AgencyControl::Add:
            OpenWizard(window, page.kind, kNoRow);
            break;
        case AgencyControl::Remove:
            RemoveSelectedAgency(window, page);
            break;
        case AgencyControl::Edit:
            if (SelectedAgency(page) != kNoRow) {
                OpenWizard(window, page.kind, SelectedAgency(page));
            }
            break;
        default:
            break;
    }
}

bool HandlePageNotification(HWND window, const NMHDR& header, LRESULT& result) {
    for (AgencyPage& page : g_windows.pages) {
        if (page.view.list == nullptr || header.hwndFrom != page.view.list) {
            continue;
        }
        bool handled = HandleTableListNotification(page.view, header, result);
        UpdateButtons(page);
        if (header.code == NM_DBLCLK && SelectedAgency(page) != kNoRow) {
            OpenWizard(window, page.kind, SelectedAgency(page));
        }
        return handled;
    }
    return false;
}

LRESULT CALLBACK AgencyWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            ShowWindow(window, SW_HIDE);
            return 0;
        case WM_PAINT:
            PaintPicture(window);
            return 0;
        case WM_CTLCOLORSTATIC:
            return WhiteControlBackground(wParam);
        case WM_COMMAND:
            RunPageCommand(window, LOWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const NMHDR& header = MessageStructure<NMHDR>(lParam);
            if (header.hwndFrom == g_windows.tabs && header.code == TCN_SELCHANGE) {
                ShowSelectedTab();
                return 0;
            }
            LRESULT result = 0;
            if (HandlePageNotification(window, header, result)) {
                return result;
            }
            break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool WriteAutostart() {
    SettingsFile settings;
    if (!OpenOrCreateSettingsFile(settings, Tray().settingsPath)) {
        return false;
    }
    SelectGroup(settings, "General");
    WriteSettingInteger(settings, "PreferencesAutorun", 1);
    if (!CloseSettingsFile(settings)) {
        return false;
    }
    return UpdateAutostartShortcut(true, ProgramFolder());
}

}  // namespace

AgencyLists& TheAgencies() {
    static AgencyLists lists;
    return lists;
}

std::string AgencyFilePath() {
    return JoinPath(FolderOfPath(Tray().settingsPath), kAgencyFileName);
}

void SaveAgencies() {
    std::string path = AgencyFilePath();
    CreateFolderPath(FolderOfPath(path));
    if (WriteFileAtomically(path, FormatAgencyFile(TheAgencies())) && !AgencyListsEmpty(TheAgencies())) {
        // At logon the tray companion must start, or the agencies would never run.
        WriteAutostart();
    }
    RefreshAgencyLists();
}

void LoadAgencies(bool autorun) {
    std::string bytes;
    TheAgencies() = ReadWholeFile(AgencyFilePath(), bytes) ? ParseAgencyFile(bytes, autorun) : AgencyLists{};
    RefreshAgencyLists();
}

void RefreshAgencyLists() {
    for (AgencyPage& page : g_windows.pages) {
        if (page.view.list == nullptr) {
            continue;
        }
        ListViewState state = SaveListViewState(page.view);
        const std::vector<AgencyRow>& rows = AgencyList(TheAgencies(), page.kind);
        page.table = AgencyTable(rows, page.kind, FillRowImages(page, rows));
        RestoreListViewState(page.view, state);
        UpdateButtons(page);
    }
}

void EnableAgencyUi(bool enabled) {
    g_windows.uiEnabled = enabled;
    for (HWND window : {g_windows.exec, g_windows.avoid}) {
        if (window != nullptr) {
            EnableWindow(window, enabled);
        }
    }
    if (Tray().menu != nullptr) {
        for (int command : {TrayCommandWizardSystem, TrayCommandWizardProgram, TrayCommandWizardAvoid}) {
            EnableMenuCommand(Tray().menu, command, enabled);
        }
    }
}

bool AgencyUiEnabled() {
    return g_windows.uiEnabled;
}

void CreateAgencyWindows(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = AgencyWindowCallback;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kAgencyWindowClass;
    RegisterClassExA(&windowClass);
    g_windows.pictures[0] = LoadPngBitmapOn(instance, IDR_PNG_AGENCY_EXEC, kPictureColour);
    g_windows.pictures[1] = LoadPngBitmapOn(instance, IDR_PNG_AGENCY_AVOID, kPictureColour);
    CreateExecWindow(instance);
    CreateAvoidWindow(instance);
}

void DestroyAgencyWindows() {
    for (HWND* window : {&g_windows.exec, &g_windows.avoid}) {
        if (*window != nullptr) {
            DestroyWindow(*window);
        }
    }
    for (AgencyPage& page : g_windows.pages) {
        if (page.images != nullptr) {
            ImageList_Destroy(page.images);
        }
    }
    for (HBITMAP picture : g_windows.pictures) {
        if (picture != nullptr) {
            DeleteObject(picture);
        }
    }
    g_windows = AgencyWindows{};
}

void ShowAgencyWindow(AgencyKind kind) {
    HWND window = WindowOf(kind);
    if (kind != AgencyKind::Avoid) {
        TabCtrl_SetCurSel(g_windows.tabs, static_cast<int>(kind));
        ShowSelectedTab();
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

bool HandleAgencyWindowKeys(MSG& message) {
    for (HWND window : {g_windows.exec, g_windows.avoid}) {
        if (window != nullptr && (message.hwnd == window || IsChild(window, message.hwnd)) &&
            IsDialogMessageA(window, &message)) {
            return true;
        }
    }
    return false;
}

HWND AgencyControlOf(AgencyKind kind, AgencyControl control) {
    switch (control) {
        case AgencyControl::Window:
            return WindowOf(kind);
        case AgencyControl::List:
            return PageOf(kind).view.list;
        default:
            return PageOf(kind).buttons[static_cast<int>(control) - 2];
    }
}

void RunAgencyCommand(int command) {
    switch (command) {
        case TrayCommandShowExecAgency:
            ShowWindow(g_windows.exec, SW_SHOW);
            SetForegroundWindow(g_windows.exec);
            break;
        case TrayCommandShowAvoidAgency:
            ShowAgencyWindow(AgencyKind::Avoid);
            break;
        case TrayCommandWizardSystem:
            OpenWizard(nullptr, AgencyKind::SystemStart, kNoRow);
            break;
        case TrayCommandWizardProgram:
            OpenWizard(nullptr, AgencyKind::ProgramStart, kNoRow);
            break;
        case TrayCommandWizardAvoid:
            OpenWizard(nullptr, AgencyKind::Avoid, kNoRow);
            break;
    }
}
