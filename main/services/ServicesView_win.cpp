#include "main/services/ServicesView_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "main/CommandIds.h"
#include "main/FileVersionInfo_win.h"
#include "main/SystemFiles_win.h"
#include "main/View.h"
#include "main/services/ServiceActions_win.h"
#include "main/services/ServiceControl_win.h"
#include "main/services/ServiceTexts.h"

static_assert(kServiceStopped == SERVICE_STOPPED && kServiceRunning == SERVICE_RUNNING &&
                  kServicePaused == SERVICE_PAUSED && kServiceAutoStart == SERVICE_AUTO_START &&
                  kServiceDemandStart == SERVICE_DEMAND_START && kServiceDisabled == SERVICE_DISABLED,
              "the portable numbers are the manager's");

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

// The fixed service image sits at index 0; each row with an icon of its own adds one.
void ResetServiceImages() {
    ImageList_RemoveAll(g_serviceImages);
    HICON fixed = static_cast<HICON>(LoadImageA(nullptr, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED));
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

// Every Win32 service the manager lists, with what the list shows of it.
std::vector<ServiceRecord> ReadServiceRecords() {
    std::vector<ServiceRecord> records;
    const std::string& windows = WindowsFolder();
    for (BeginServiceEnumeration(); NextService();) {
        ServiceRecord record;
        record.name = CurrentServiceName();
        if (record.name.empty()) {
            continue;
        }
        record.displayName = CurrentServiceDisplayName();
        record.state = static_cast<long>(CurrentServiceState());
        if (QueryServiceConfiguration(record.name)) {
            record.command = ServiceBinaryPath();
            record.startType = ServiceStartType();
            record.type = ServiceType();
        }
        std::string executable = ServiceExecutablePath(record.command, windows, SystemFileExists);
        record.product = FileVersionText(executable, kVersionDescription, false);
        record.company = FileVersionText(executable, kVersionCompany, false);
        record.description = ServiceDescription(record.name);
        record.image = ServiceImage(executable);
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

TableListView& ServicesList() {
    return g_services;
}

void CreateServicesList(HWND view) {
    CreateTableListView(g_services, view, ControlServiceList, &g_serviceTable, ServiceColumns(), false);
    g_serviceImages = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 32, 32);
    SetListViewImageList(g_services.list, g_serviceImages);
}

void RebuildServicesList() {
    if (g_services.list == nullptr) {
        return;
    }
    SetRedraw(g_services.list, false);
    ListViewState state = SaveListViewState(g_services);
    ResetServiceImages();
    FillServiceTable(g_serviceTable, ReadServiceRecords());
    // Nothing is selected until the remembered index is restored.
    RestoreListViewState(g_services, state);
    SetRedraw(g_services.list, true);
    InvalidateRect(g_services.list, nullptr, TRUE);
}

std::string SelectedServiceName() {
    size_t row = CurrentRow(g_services);
    return row == kNoRow ? std::string() : Cell(g_serviceTable, row, 0);
}

void PrepareServicesMenu(HMENU menu) {
    ServiceMenuState state = ServiceMenuStateOf(g_serviceTable, CurrentRow(g_services));
    EnableMenuCommand(menu, CommandServiceStart, state.start);
    EnableMenuCommand(menu, CommandServiceStop, state.stop);
    EnableMenuCommand(menu, CommandServicePause, state.pause);
    EnableMenuCommand(menu, CommandServiceContinue, state.resume);
    EnableMenuCommand(menu, CommandServiceDisabled, state.startTypes);
    EnableMenuCommand(menu, CommandServiceAutomatic, state.startTypes);
    EnableMenuCommand(menu, CommandServiceManual, state.startTypes);
    CheckMenuCommand(menu, CommandServiceDisabled, state.startType == kServiceDisabled);
    CheckMenuCommand(menu, CommandServiceAutomatic, state.startType == kServiceAutoStart);
    CheckMenuCommand(menu, CommandServiceManual, state.startType == kServiceDemandStart);
}

bool IsServicesCommand(int id) {
    return ServiceActionOfCommand(id).has_value();
}

bool RunServicesCommand(int id) {
    std::optional<ServiceAction> action = ServiceActionOfCommand(id);
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
    return header.idFrom == ControlServiceList  ? ContextMenuServices
           : header.idFrom == ControlDriverList ? ContextMenuDrivers
                                                : 0;
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
    std::string address = ReplaceArgument(searchTemplate, term);
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
