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
#include "main/processes/ProcessSampler_win.h"
#include "main/processes/ProcessTree.h"
#include "main/processes/SystemFigures_win.h"

namespace {

struct ProcessList {
    TableListView view;
    RowTable table = MakeRowTable(kProcessColumnCount);
    const MainPreferences* preferences = nullptr;
    ProcessListOptions options;
    HIMAGELIST imageList = nullptr;
    ExecutableImages images;
    WindowTitles windowTitles;
    uint64_t workingSetSum = 0;  // of the processes of the last refresh
    ProcessListActivity activity;
    std::vector<void (*)()> changeObservers;
    bool showing = false;  // a pass is being put into the rows
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

// The window titles of this moment: collected here, on the window thread, because asking a window
// of this thread for its title from another one would wait for this thread.
void AddWindowTitles(ProcessPass& pass) {
    g_list.windowTitles.clear();
    if (g_list.options.windowTitles)
        EnumWindows(CollectWindowTitle, 0);
    for (ProcessSample& sample : pass.samples)
        sample.windowTitle = WindowTitleOf(g_list.windowTitles, sample.pid);
}

void ForgetImagesOfEndedExecutables(const ProcessPass& pass) {
    std::unordered_set<std::string> paths;
    for (const ProcessSample& sample : pass.samples)
        paths.insert(sample.path);
    ForgetUnusedImages(g_list.images, paths);
}

// A new row's rating and description from the lookups, green when the file is rated.
void RateRow(size_t row, const std::string& path) {
    if (g_list.database == nullptr || path.empty())
        return;
    const bool online = g_list.preferences != nullptr && g_list.preferences->PreferencesUseDatabase != 0;
    ShowRatingInRow(g_list.table, row, RateFile(*g_list.database, path, online));
}

// The images the table only numbers: icons and history images of new rows, the bars of this
// refresh, and the history images of rows that went.
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

namespace {

// Puts a pass into the rows and the list view; true when anything changed.
bool ShowProcessPass(ProcessPass& pass, int sortColumn, int sortDirection) {
    g_list.showing = true;
    g_list.options = ProcessListOptionsFrom(*g_list.preferences);
    ProcessListOrder order = RefreshOrder(sortColumn, sortDirection, g_list.options.treeView, g_list.view.sortColumn,
                                          g_list.view.sortAscending);
    AddWindowTitles(pass);
    ForgetImagesOfEndedExecutables(pass);
    g_list.workingSetSum = pass.workingSetSum;
    ++g_list.activity.passes;

    // The list asks the table for what it shows, and nothing paints before this returns: the rows
    // change without switching the redrawing off, which would cost a synchronous erase when it
    // is switched on again.
    ProcessListChanges changes = ApplyProcessPass(g_list.table, pass, g_list.options);
    UpdateRowImages(changes, pass);
    bool changed = ProcessListChanged(changes);
    if (changed) {
        SortOrArrange(order.column, order.ascending, order.given);
        for (void (*observer)() : g_list.changeObservers)
            observer();
    }
    InvalidateRect(g_list.view.list, nullptr, FALSE);
    UpdateMemoryPanel(ReadMemoryStatus(), g_list.workingSetSum);
    g_list.showing = false;
    return changed;
}

// A pass that arrives while another is being shown (the rating lookups of new rows keep a window
// of their own answering) would change the rows under it: it is left out, and the timer asks again.
void ShowSampledPass(ProcessPass& pass) {
    if (g_list.view.list != nullptr && !g_list.showing)
        ShowProcessPass(pass, -1, 0);
}

}  // namespace

BOOL RefreshProcessList(int sortColumn, int sortDirection) {
    if (g_list.view.list == nullptr)
        return FALSE;
    // The first fill may take the pass that start-up began while the windows were being made.
    ProcessPass pass = TakeProcessPassNow(g_list.activity.passes == 0);
    return ShowProcessPass(pass, sortColumn, sortDirection) ? TRUE : FALSE;
}

void RequestProcessListRefresh() {
    StartProcessSampler(ShowSampledPass);
    RequestProcessPass();
}

void StopProcessListSampling() {
    StopProcessSampler();
}

void SetProcessListRatings(RatingDatabase* database) {
    g_list.database = database;
}

void AddProcessListChangeObserver(void (*observer)()) {
    if (std::find(g_list.changeObservers.begin(), g_list.changeObservers.end(), observer) ==
        g_list.changeObservers.end())
        g_list.changeObservers.push_back(observer);
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
