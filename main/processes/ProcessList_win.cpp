#include "main/processes/ProcessList_win.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/ListViews_win.h"
#include "foundation/PreferencesDefaults.h"
#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/View.h"
#include "main/database/FileRating_win.h"
#include "main/processes/CpuHistory_win.h"
#include "main/processes/MemoryPanel_win.h"
#include "main/processes/ProcessAccounting_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListOptions.h"
#include "main/processes/ProcessListRefresh.h"
#include "main/processes/ProcessListRows.h"
#include "main/processes/ProcessListUpdate.h"
#include "main/processes/ProcessTree.h"
#include "main/processes/SystemFigures_win.h"

namespace {

struct ProcessList {
    TableListView view;
    RowTable table = MakeRowTable(kProcessColumnCount);
    const MainPreferences* preferences = nullptr;
    ProcessListOptions options;
    ProcessIdSet ids;
    HIMAGELIST imageList = nullptr;
    ExecutableImages images;
    WindowTitles windowTitles;
    uint64_t workingSetSum = 0;  // of the processes of the last refresh
    ProcessListActivity activity;
    void (*changeObserver)() = nullptr;
    RatingDatabase* database = nullptr;
};

ProcessList g_list;

std::vector<ListColumn> Columns(const ProcessListOptions& options) {
    std::vector<ListColumn> columns;
    for (const ShownProcessColumn& shown : ShownProcessColumns(options)) {
        columns.push_back({shown.title, shown.width, shown.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT, shown.column,
                           ProcessColumnCompare(shown.column)});
    }
    return columns;
}

// Into the free image `reuse`, or a new one when it is -1.
int AddIcon(HICON icon, int reuse = -1) {
    if (icon == nullptr)
        return -1;
    int image = ImageList_ReplaceIcon(g_list.imageList, reuse, icon);
    DestroyIcon(icon);
    return image;
}

int ImageOf(const std::string& path) {
    return ExecutableImage(g_list.images, path, [](const std::string& file, int reuse) {
        HICON icon = nullptr;
        return ExtractSmallIcon(file, 0, &icon) > 0 && icon != nullptr ? AddIcon(icon, reuse) : -1;
    });
}

BOOL CALLBACK CollectWindowTitle(HWND window, LPARAM) {
    if (!NamesItsProcess(static_cast<uint32_t>(GetWindowLongA(window, GWL_STYLE)),
                         GetWindow(window, GW_OWNER) != nullptr, GetParent(window) != nullptr))
        return TRUE;
    char title[257] = {};
    GetWindowTextA(window, title, sizeof(title));
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    AddWindowTitle(g_list.windowTitles, pid, title);
    return TRUE;
}

// What the system says about every running process now.
ProcessPass TakeProcessPass() {
    ProcessPass pass;
    BuildProcessIdSet(g_list.ids);
    pass.samples.reserve(g_list.ids.ids.size());
    g_list.workingSetSum = 0;
    std::unordered_set<std::string> paths;
    for (uint32_t pid : g_list.ids.ids) {
        ScopedHandle process(OpenProcessForSample(pid));
        ProcessSample sample = TakeProcessSample(pid, process.get(), g_list.ids);
        g_list.workingSetSum += sample.workingSet;
        sample.windowTitle = WindowTitleOf(g_list.windowTitles, pid);
        paths.insert(sample.path);
        pass.samples.push_back(std::move(sample));
    }
    ForgetUnusedImages(g_list.images, paths);
    // After every creation time was read, so that no running time comes out negative.
    pass.nowUnixSeconds = NowUnixSeconds();
    return pass;
}

// The images the table only numbers: icons and history images of new rows, the bars of this
// refresh, and the history images of rows that went.
// A new row's rating and description from the lookups, green when the file is rated.
void RateRow(size_t row, const std::string& path) {
    if (g_list.database == nullptr || path.empty())
        return;
    const bool online = g_list.preferences != nullptr && g_list.preferences->PreferencesUseDatabase != 0;
    ShowRatingInRow(g_list.table, row, RateFile(*g_list.database, path, online));
}

void UpdateRowImages(const ProcessListChanges& changes, const ProcessPass& pass) {
    for (const NewProcessRow& added : changes.addedRows) {
        if (g_list.options.cpuHistory)
            SetCellInteger(g_list.table, added.row, kProcessColumnHistoryImage,
                           CreateCpuHistoryImage(g_list.options.windowWidth));
        g_list.table.rows[added.row].image = ImageOf(pass.samples[added.sample].path);
        RateRow(added.row, pass.samples[added.sample].path);
    }
    for (const NewProcessRow& repathed : changes.repathedRows)
        g_list.table.rows[repathed.row].image = ImageOf(pass.samples[repathed.sample].path);
    for (const CpuHistoryStep& step : changes.historySteps)
        AdvanceCpuHistoryImage(step.image, step.share);
    // The images of ended rows go even when the option was switched off since they were made.
    for (int image : changes.freedHistoryImages)
        FreeCpuHistoryImage(image);
}

void Arrange() {
    ArrangeProcessTree(g_list.table);
    ++g_list.activity.arrangements;
}

void SortOrArrange(int sortColumn, bool ascending, bool sortGiven) {
    switch (OrderStepFor(sortColumn, sortGiven, g_list.options.treeView, g_list.view.columns.size())) {
        case OrderStep::SortThenArrange:
            SortRows(g_list.table, g_list.view.columns[sortColumn].tableColumn, ascending,
                     g_list.view.columns[sortColumn].compare);
            Arrange();
            break;
        case OrderStep::Arrange:
            Arrange();
            break;
        case OrderStep::SortList:
            SortTableListView(g_list.view, sortColumn, ascending);
            return;
        case OrderStep::ShowAgain:
            break;
    }
    SyncTableListView(g_list.view);
}

}  // namespace

HWND CreateProcessList(HWND view, const MainPreferences* preferences) {
    g_list.preferences = preferences;
    g_list.options = ProcessListOptionsFrom(*preferences);
    g_list.imageList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 64, 64);
    HICON generic = nullptr;
    ExtractSmallIcon("shell32.dll", 2, &generic);
    g_list.images.generic = AddIcon(generic != nullptr ? generic : CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
    g_list.images.serviceHost = AddIcon(CopyIcon(LoadIconA(nullptr, IDI_WINLOGO)));
    HWND list =
        CreateTableListView(g_list.view, view, ControlProcessList, &g_list.table, Columns(g_list.options), true);
    SetListViewImageList(list, g_list.imageList);
    return list;
}

void LayoutProcessList(int width, int height) {
    if (g_list.view.list != nullptr)
        MoveWindow(g_list.view.list, 0, 0, width, std::max(height - kViewCheckBoxRowHeight - MemoryPanelHeight(), 0),
                   TRUE);
}

TableListView& ProcessListView() {
    return g_list.view;
}

uint64_t ProcessListWorkingSetSum() {
    return g_list.workingSetSum;
}

BOOL RefreshProcessList(int sortColumn, int sortDirection) {
    if (g_list.view.list == nullptr)
        return FALSE;
    g_list.options = ProcessListOptionsFrom(*g_list.preferences);
    g_list.windowTitles.clear();
    if (g_list.options.windowTitles)
        EnumWindows(CollectWindowTitle, 0);
    ProcessListOrder order = RefreshOrder(sortColumn, sortDirection, g_list.options.treeView, g_list.view.sortColumn,
                                          g_list.view.sortAscending);

    SetRedraw(g_list.view.list, false);
    ProcessPass pass = TakeProcessPass();
    ++g_list.activity.passes;
    ProcessListChanges changes = ApplyProcessPass(g_list.table, pass, g_list.options);
    UpdateRowImages(changes, pass);
    bool changed = ProcessListChanged(changes);
    if (changed)
        SortOrArrange(order.column, order.ascending, order.given);
    if (changed && g_list.changeObserver != nullptr)
        g_list.changeObserver();
    SetRedraw(g_list.view.list, true);
    InvalidateRect(g_list.view.list, nullptr, FALSE);
    UpdateMemoryPanel(ReadMemoryStatus(), g_list.workingSetSum);
    return changed ? TRUE : FALSE;
}

void SetProcessListRatings(RatingDatabase* database) {
    g_list.database = database;
}

void SetProcessListChangeObserver(void (*observer)()) {
    g_list.changeObserver = observer;
}

void ClearProcessList() {
    g_list.table.rows.clear();
    FreeAllCpuHistoryImages();
    SyncTableListView(g_list.view);
}

void SetCpuHistoryImages(bool on) {
    g_list.options.cpuHistory = on;
    for (size_t row = 0; row < RowCount(g_list.table); ++row) {
        const int image = static_cast<int>(CellInteger(g_list.table, row, kProcessColumnHistoryImage));
        if (on && image == 0) {
            SetCellInteger(g_list.table, row, kProcessColumnHistoryImage,
                           CreateCpuHistoryImage(g_list.options.windowWidth));
        } else if (!on) {
            FreeCpuHistoryImage(image);
            SetCellInteger(g_list.table, row, kProcessColumnHistoryImage, 0);
        }
    }
    InvalidateRect(g_list.view.list, nullptr, FALSE);
}

void SetProcessTreeView(bool on) {
    g_list.options.treeView = on;
    if (!on)
        FlattenProcessTree(g_list.table);
    SortOrArrange(g_list.view.sortColumn, g_list.view.sortAscending, false);
}

void RearrangeProcessTree() {
    if (g_list.view.list == nullptr || !g_list.options.treeView)
        return;
    Arrange();
    SyncTableListView(g_list.view);
}

const ProcessListActivity& ProcessListActivityCounts() {
    return g_list.activity;
}

bool HandleProcessListNotification(const NMHDR& header, LRESULT& result) {
    if (g_list.view.list == nullptr || header.hwndFrom != g_list.view.list)
        return false;
    // A header click sorts the rows; in tree mode the main window then has them rearranged, the
    // sort ordering the siblings.
    if (header.code == NM_DBLCLK) {
        SendMessageA(GetAncestor(g_list.view.list, GA_ROOT), WM_COMMAND, CommandProcessInformation, 0);
        result = 0;
        return true;
    }
    bool handled = HandleTableListNotification(g_list.view, header, result);
    return handled || header.code == LVN_COLUMNCLICK;
}

void ApplyProcessListColumns() {
    if (g_list.view.list == nullptr)
        return;
    g_list.options = ProcessListOptionsFrom(*g_list.preferences);
    SetTableListColumns(g_list.view, Columns(g_list.options));
}
