#include "main/services/ServicesView_win.h"
#include "main/LibraryTable_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <optional>

#include "foundation/Language.h"
#include "main/CommandIds.h"
#include "main/FileVersionInfo_win.h"
#include "main/SystemFiles_win.h"
#include "main/View.h"
#include "main/services/ServiceActions_win.h"
#include "main/services/ServiceControl_win.h"
#include "main/services/ServiceTexts.h"

namespace {

RowTable g_serviceTable = MakeRowTable(ServiceColumnCount);
TableListView g_services;
HIMAGELIST g_serviceImages = nullptr;

std::vector<ListColumn> ServiceColumns() {
    return {
        {LanguageText(LanguageKey::ServiceName), 150, LVCFMT_LEFT, 0, CompareCellText},
        {LanguageText(LanguageKey::Description), 150, LVCFMT_LEFT, 1, CompareCellText},
        {LanguageText(LanguageKey::Status), 70, LVCFMT_LEFT, 2, CompareCellText},
        {LanguageText(LanguageKey::Type), 140, LVCFMT_LEFT, 3, CompareCellText},
        {LanguageText(LanguageKey::Start), 100, LVCFMT_LEFT, 4, CompareCellText},
        {LanguageText(LanguageKey::Product), 200, LVCFMT_LEFT, 5, CompareCellText},
        {LanguageText(LanguageKey::Company), 150, LVCFMT_LEFT, 6, CompareCellText},
        {LanguageText(LanguageKey::Commandline), 250, LVCFMT_LEFT, 7, CompareCellText},
        {LanguageText(LanguageKey::Hint), 400, LVCFMT_LEFT, 8, CompareCellText},
    };
}

std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

// The fixed service image sits at index 0; each row with an icon of its own adds one.
void ResetServiceImages() {
    ImageList_RemoveAll(g_serviceImages);
    HICON fixed = static_cast<HICON>(LoadImageA(nullptr, MAKEINTRESOURCEA(32512), IMAGE_ICON, 16, 16, LR_SHARED));
    ImageList_AddIcon(g_serviceImages, fixed);
}

int ServiceImage(const std::string& executable) {
    if (executable.empty()) {
        return 0;
    }
    HICON small = nullptr;
    if (ExtractSmallIcon(executable, 0, &small) == 0 || small == nullptr) {
        return 0;
    }
    int index = ImageList_AddIcon(g_serviceImages, small);
    DestroyIcon(small);
    return index < 0 ? 0 : index;
}

std::optional<ServiceAction> ActionOf(int id) {
    switch (id) {
        case CommandServiceStart:
            return ServiceAction::Start;
        case CommandServiceStop:
            return ServiceAction::Stop;
        case CommandServicePause:
            return ServiceAction::Pause;
        case CommandServiceContinue:
            return ServiceAction::Continue;
        case CommandServiceDisabled:
            return ServiceAction::RunDeactivated;
        case CommandServiceAutomatic:
            return ServiceAction::RunAutomatic;
        case CommandServiceManual:
            return ServiceAction::RunManual;
    }
    return std::nullopt;
}

}  // namespace

TableListView& ServicesList() {
    return g_services;
}

void CreateServicesList(HWND view) {
    CreateTableListView(g_services, view, ControlServiceList, &g_serviceTable, ServiceColumns(), false);
    g_serviceImages = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 32, 32);
    SendMessageA(g_services.list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(g_serviceImages));
}

void RebuildServicesList() {
    if (g_services.list == nullptr) {
        return;
    }
    SendMessageA(g_services.list, WM_SETREDRAW, FALSE, 0);
    ListViewState state = SaveListViewState(g_services);
    g_serviceTable.rows.clear();
    ResetServiceImages();

    std::string windows = WindowsFolder();
    for (BeginServiceEnumeration(); NextService();) {
        std::string name = CurrentServiceName();
        if (name.empty()) {
            continue;
        }
        long current = static_cast<long>(CurrentServiceState());
        std::string configured;
        long startType = -1;
        long type = -1;
        if (QueryServiceConfiguration(name)) {
            configured = ServiceBinaryPath();
            startType = ServiceStartType();
            type = ServiceType();
        }
        std::string executable = ServiceExecutablePath(configured, windows, SystemFileExists);
        size_t row = AppendRow(g_serviceTable);
        SetCell(g_serviceTable, row, 0, name);
        SetCell(g_serviceTable, row, 1, CurrentServiceDisplayName());
        SetCell(g_serviceTable, row, 2, ServiceKeyText(ServiceStateKey(current)));
        SetCell(g_serviceTable, row, 3, ServiceKeyText(ServiceTypeKey(type)));
        SetCell(g_serviceTable, row, 4, ServiceKeyText(ServiceStartTypeKey(startType)));
        SetCell(g_serviceTable, row, 5, FileVersionText(executable, kVersionDescription, false));
        SetCell(g_serviceTable, row, 6, FileVersionText(executable, kVersionCompany, false));
        SetCell(g_serviceTable, row, 7, configured);
        SetCell(g_serviceTable, row, 8, ServiceDescription(name));
        SetCellInteger(g_serviceTable, row, ServiceColumnStateNumber, current);
        SetCellInteger(g_serviceTable, row, ServiceColumnStartNumber, startType);
        g_serviceTable.rows[row].image = ServiceImage(executable);
    }
    // Nothing is selected until the remembered index is restored.
    RestoreListViewState(g_services, state);
    SendMessageA(g_services.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_services.list, nullptr, TRUE);
}

std::string SelectedServiceName() {
    size_t row = CurrentRow(g_services);
    return row == kNoRow ? std::string() : Cell(g_serviceTable, row, 0);
}

void PrepareServicesMenu(HMENU menu) {
    size_t row = CurrentRow(g_services);
    long state = row == kNoRow ? 0 : static_cast<long>(CellInteger(g_serviceTable, row, ServiceColumnStateNumber));
    long start = row == kNoRow ? -1 : static_cast<long>(CellInteger(g_serviceTable, row, ServiceColumnStartNumber));
    auto enable = [menu](int id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    auto check = [menu](int id, bool on) { CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); };
    enable(CommandServiceStart, state == SERVICE_STOPPED);
    enable(CommandServiceStop, state == SERVICE_RUNNING || state == SERVICE_PAUSED);
    enable(CommandServicePause, state == SERVICE_RUNNING);
    enable(CommandServiceContinue, state == SERVICE_PAUSED);
    enable(CommandServiceDisabled, row != kNoRow);
    enable(CommandServiceAutomatic, row != kNoRow);
    enable(CommandServiceManual, row != kNoRow);
    check(CommandServiceDisabled, start == SERVICE_DISABLED);
    check(CommandServiceAutomatic, start == SERVICE_AUTO_START);
    check(CommandServiceManual, start == SERVICE_DEMAND_START);
}

bool IsServicesCommand(int id) {
    return ActionOf(id).has_value();
}

bool RunServicesCommand(int id) {
    std::optional<ServiceAction> action = ActionOf(id);
    std::string name = SelectedServiceName();
    if (!action || name.empty() || !RunServiceAction(*action, name)) {
        return false;
    }
    RebuildServicesList();
    return true;
}

void LayoutServiceLists(int view, int width, int height) {
    HWND list = view == ViewServices ? g_services.list : view == ViewDrivers ? DriversList().list : nullptr;
    if (list != nullptr) {
        MoveWindow(list, 0, 0, width, height, TRUE);
    }
}

int ServiceListsContextMenu(const NMHDR& header) {
    if (header.code != NM_RCLICK) {
        return 0;
    }
    return header.idFrom == ControlServiceList ? 4 : header.idFrom == ControlDriverList ? 5 : 0;
}

bool HandleServiceListsNotification(const NMHDR& header, LRESULT& result) {
    bool services = header.idFrom == ControlServiceList;
    if (!services && header.idFrom != ControlDriverList) {
        return false;
    }
    return HandleTableListNotification(services ? g_services : DriversList(), header, result);
}

void SearchSelectedServiceOnWeb(int view, const std::string& searchTemplate) {
    std::string term = view == ViewServices ? SelectedServiceName() : view == ViewDrivers ? SelectedDriverName() : "";
    if (term.empty()) {
        return;
    }
    std::string address = searchTemplate;
    size_t at = address.find("<%1>");
    if (at != std::string::npos) {
        address.replace(at, 4, term);
    }
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
