// The processes view's refresh (RefreshProcessList on a real list view) over the running processes
// plus 100 and 300 sleeping children, measured against the process layer's own pass over the same
// processes and against a bare snapshot walk, all in the same run. Two cases: nothing changes
// between refreshes, and a tenth of the sleepers is replaced before each refresh.
//
//   process_list_bench.exe [rounds]        (default 11 rounds per figure; the median counts)
//
// To show where the refresh's extra time goes, the steps it adds to the layer's pass (window titles,
// file attributes, tree arrangement, list sync) are timed alone on the same processes with the
// calls the refresh makes, and the refresh is measured again with each of its own features off.
// ms/refresh is the time the window thread spends in one refresh of the whole list asked for by a
// command (sampled on the window thread); window ms is its time in one timer refresh, sampled on
// the sampling thread (the time it spends handling messages until the pass is shown).
// Run it on a quiet machine: the figures follow the load of the wine server.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "bench/processes/ProcessPassTiming.h"
#include "foundation/Controls_win.h"
#include "foundation/ListViews_win.h"
#include "foundation/PreferencesDefaults.h"
#include "main/LibraryTable_win.h"
#include "main/processes/ProcessLayerState_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessList_win.h"
#include "main/processes/ProcessTree.h"

namespace {

MainPreferences g_preferences;  // the defaults: tree view, window titles and CPU history images on

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

struct Figures {
    std::vector<double> refresh, paint, layer, snapshot;
    std::vector<double> refreshMilliseconds;  // the window thread's time in one whole refresh
    std::vector<double> windowMilliseconds;   // its time in one refresh sampled on the other thread
    std::vector<double> ratio;                // refresh / layer of each round: the pair shares the machine's load
    std::vector<double> ratioRefreshFirst, ratioLayerFirst;  // the same, split by which pass went first
    size_t processes = 0;
};

// The steps the refresh adds to the layer's pass, each timed alone over the current processes.
struct StepFigures {
    std::vector<double> windowTitles, fileAttributes, arrange, sync, itemCount, clearSelection;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    char title[257];
    GetWindowTextA(window, title, sizeof(title));
    ++*reinterpret_cast<size_t*>(count);
    return TRUE;
}

void TimeSteps(StepFigures& steps) {
    TableListView& view = ProcessListView();
    double start = Seconds();
    size_t windows = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&windows));
    double afterTitles = Seconds();
    for (size_t row = 0; row < view.table->rows.size(); ++row) {
        std::string path = Cell(*view.table, row, kProcessColumnFilePath);
        GetFileAttributesA(path.c_str());
    }
    double afterAttributes = Seconds();
    RowTable copy = *view.table;
    ArrangeProcessTree(copy);
    double afterArrange = Seconds();
    // As inside the refresh: with redrawing switched off.
    SetRedraw(view.list, false);
    SyncTableListView(view);
    double afterSync = Seconds();
    // The two list messages the sync sends, alone.
    SetListViewItemCount(view.list, view.table->rows.size(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    double afterCount = Seconds();
    SetListViewItemState(view.list, -1, 0, LVIS_SELECTED);
    double afterClear = Seconds();
    SetRedraw(view.list, true);
    steps.windowTitles.push_back((afterTitles - start) * 1e6);
    steps.fileAttributes.push_back((afterAttributes - afterTitles) * 1e6);
    steps.arrange.push_back((afterArrange - afterAttributes) * 1e6);
    steps.sync.push_back((afterSync - afterArrange) * 1e6);
    steps.itemCount.push_back((afterCount - afterSync) * 1e6);
    steps.clearSelection.push_back((afterClear - afterCount) * 1e6);
}

// A timer refresh: asked for, then messages handled until the pass is shown. The window thread's
// time is what it spends handling them (the request included), not its wait.
double TimeBackgroundRefresh() {
    const unsigned before = ProcessListActivityCounts().passes;
    double start = Seconds();
    RequestProcessListRefresh();
    double busy = Seconds() - start;
    while (ProcessListActivityCounts().passes == before && Seconds() - start < 30) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        // Up to the pass shown: the paint that follows is measured as the other refresh's is.
        while (ProcessListActivityCounts().passes == before && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            double handling = Seconds();
            TranslateMessage(&message);
            DispatchMessageA(&message);
            busy += Seconds() - handling;
        }
    }
    UpdateWindow(ProcessListView().list);
    PumpMessages();
    return busy * 1e3;
}

double TimeLayerPass(ProcessRows& rows, ProcessIdSet& set, size_t& processes) {
    double start = Seconds();
    processes = FullPass(rows, set);
    return Seconds() - start;
}

void ReplaceSleepers(Sleepers& sleepers, size_t count) {
    if (count == 0)
        return;
    sleepers.EndOldest(count);
    for (size_t i = 0; i < count; ++i)
        sleepers.Start();
    // Until their loader named their image: a pass meeting a sleeper before reads less of it than
    // one after, and the pass that happened to go second would pay for the difference.
    const double start = Seconds();
    for (size_t i = sleepers.running.size() - std::min(count, sleepers.running.size()); i < sleepers.running.size();) {
        if (!ProcessPathFromHandle(sleepers.running[i].hProcess).empty() || Seconds() - start > 10)
            ++i;
        else
            Sleep(20);
    }
    Sleep(800);  // Wine lists an ended process for about half a second more
}

void Measure(Sleepers& sleepers, size_t replacedPerRound, int rounds, Figures& figures, StepFigures& steps) {
    ProcessRows layerRows;
    ProcessIdSet layerSet;
    FullPass(layerRows, layerSet);  // the layer's rows exist from here on, as the list's do
    RefreshProcessList(-1, 0);
    PumpMessages();
    for (int round = 0; round < rounds; ++round) {
        ReplaceSleepers(sleepers, replacedPerRound);
        // Every other round the layer goes first, so neither pass always meets the freshly started
        // sleepers still busy starting.
        bool refreshFirst = round % 2 == 0;
        size_t processes = 0;
        double layer = 0;
        // Both passes read what never changes about a process (name, path, file) through one cache,
        // so whichever went first would pay alone for reading the new processes: the second meets
        // the cache as the first did.
        const KnownProcesses knownBefore = LayerState().known;
        if (!refreshFirst) {
            layer = TimeLayerPass(layerRows, layerSet, processes);
            LayerState().known = knownBefore;
        }
        HWND list = ProcessListView().list;
        double start = Seconds();
        RefreshProcessList(-1, 0);
        double afterRefresh = Seconds();
        if (refreshFirst)
            LayerState().known = knownBefore;
        UpdateWindow(list);
        PumpMessages();
        double afterPaint = Seconds();
        if (refreshFirst)
            layer = TimeLayerPass(layerRows, layerSet, processes);
        double beforeSnapshot = Seconds();
        size_t walked = BaselinePass();
        double end = Seconds();
        double count = static_cast<double>(std::max<size_t>(processes, 1));
        figures.refresh.push_back((afterRefresh - start) * 1e6 / count);
        figures.refreshMilliseconds.push_back((afterRefresh - start) * 1e3);
        figures.paint.push_back((afterPaint - afterRefresh) * 1e6 / count);
        figures.layer.push_back(layer * 1e6 / count);
        figures.ratio.push_back((afterRefresh - start) / std::max(layer, 1e-9));
        (refreshFirst ? figures.ratioRefreshFirst : figures.ratioLayerFirst).push_back(figures.ratio.back());
        figures.snapshot.push_back((end - beforeSnapshot) * 1e6 / static_cast<double>(std::max<size_t>(walked, 1)));
        figures.processes = processes;
        ReplaceSleepers(sleepers, replacedPerRound);  // the timer's refresh meets new processes too
        figures.windowMilliseconds.push_back(TimeBackgroundRefresh());
        TimeSteps(steps);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 11;

    OpenLibraryTable();
    InitProcessLayer();
    InitCommonControls();
    HWND parent = CreateWindowExA(0, "STATIC", "process list bench", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    CreateProcessList(parent, &g_preferences);
    LayoutProcessList(880, 660);
    ShowWindow(parent, SW_SHOW);

    Sleepers sleepers;
    std::printf(
        "Times per process in microseconds (median of %d rounds). refresh = RefreshProcessList;\n"
        "layer = the process layer's full pass (bench/processes); extra = refresh - layer;\n"
        "refresh/layer = median of the rounds' own ratios, and of those where the refresh went first and\n"
        "second (apart, they show what the order costs); snapshot = snapshot walk and open.\n\n",
        rounds);
    std::printf("%-10s %8s %9s %9s %8s %9s %9s %9s %13s %7s %7s %16s %11s %10s\n", "case", "sleepers", "processes",
                "refresh", "paint", "layer", "extra", "snapshot", "refresh/layer", "1st", "2nd", "refresh/snapshot",
                "ms/refresh", "window ms");
    struct Row {
        const char* name;
        size_t sleepers;
        double refresh;
    };
    std::vector<Row> results;
    std::vector<std::pair<std::string, StepFigures>> stepResults;
    for (size_t wanted : {100u, 300u}) {
        sleepers.StartUntil(wanted);
        if (sleepers.running.size() < wanted)
            return 1;
        Sleep(2000);  // let the last ones finish starting
        for (size_t replaced : {size_t{0}, wanted / 10}) {
            Figures figures;
            StepFigures steps;
            Measure(sleepers, replaced, rounds, figures, steps);
            const char* name = replaced == 0 ? "unchanged" : "10% new";
            double refresh = Median(figures.refresh), layer = Median(figures.layer);
            double snapshot = Median(figures.snapshot);
            std::printf("%-10s %8zu %9zu %9.1f %8.1f %9.1f %9.1f %9.1f %13.2f %7.2f %7.2f %16.2f %11.1f %10.1f\n", name,
                        wanted, figures.processes, refresh, Median(figures.paint), layer, refresh - layer, snapshot,
                        Median(figures.ratio), Median(figures.ratioRefreshFirst), Median(figures.ratioLayerFirst),
                        refresh / snapshot, Median(figures.refreshMilliseconds), Median(figures.windowMilliseconds));
            std::fflush(stdout);
            results.push_back({name, wanted, refresh});
            stepResults.emplace_back(std::string(name) + " " + std::to_string(wanted), steps);
        }
    }
    std::printf("\nPer-process cost from 100 to 300 sleepers (1.00 = flat):\n");
    for (size_t i = 0; i < 2 && i + 2 < results.size(); ++i)
        std::printf("  %-10s %.2f\n", results[i].name, results[i + 2].refresh / results[i].refresh);
    std::printf("\nSteps of the refresh beyond the layer's pass, microseconds per refresh (median):\n");
    std::printf("%-14s %13s %15s %13s %10s %11s %15s\n", "case", "window titles", "file attributes", "tree arrange",
                "list sync", "(item count", "clear selection)");
    for (auto& [name, steps] : stepResults)
        std::printf("%-14s %13.0f %15.0f %13.0f %10.0f %11.0f %15.0f\n", name.c_str(), Median(steps.windowTitles),
                    Median(steps.fileAttributes), Median(steps.arrange), Median(steps.sync), Median(steps.itemCount),
                    Median(steps.clearSelection));

    // The refresh with one of its own features switched off at a time, to show what each costs.
    struct Variant {
        const char* name;
        int MainPreferences::*setting;
    };
    const Variant variants[] = {{"as set by default", nullptr},
                                {"no CPU history images", &MainPreferences::PreferencesCPUPerProcess},
                                {"no window titles", &MainPreferences::PreferencesWindowTitle},
                                {"no tree", &MainPreferences::PreferencesPPIDView}};
    std::printf("\nThe refresh with one feature off, %zu sleepers, nothing changing (microseconds per process):\n",
                sleepers.running.size());
    std::printf("%-22s %9s %9s %9s %13s\n", "variant", "refresh", "layer", "extra", "refresh/layer");
    for (const Variant& variant : variants) {
        MainPreferences saved = g_preferences;
        if (variant.setting != nullptr)
            g_preferences.*variant.setting = 0;
        Figures figures;
        StepFigures steps;
        Measure(sleepers, 0, rounds, figures, steps);
        double refresh = Median(figures.refresh), layer = Median(figures.layer);
        std::printf("%-22s %9.1f %9.1f %9.1f %13.2f\n", variant.name, refresh, layer, refresh - layer,
                    Median(figures.ratio));
        std::fflush(stdout);
        g_preferences = saved;
    }
    DestroyWindow(parent);
    FreeProcessLayer();
    return 0;
}
