#include "main/MonitorView_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "main/CommandIds.h"
#include "main/GraphView_win.h"
#include "main/Graphs.h"

namespace {

constexpr int kGraphHeight = 100;
constexpr int kGraphWidth = 300;
// The CPU graph's line and the memory graph's two.
constexpr int kCpuLine = 0;
constexpr int kRamLine = 1;
constexpr int kSwapLine = 2;

HWND g_view = nullptr;
HFONT g_font = nullptr;
ScrollingGraph g_cpuGraph;
ScrollingGraph g_memoryGraph;
PixelImage g_bars;

HWND Item(int id) {
    return GetDlgItem(g_view, id);
}

bool Paused(int box) {
    return IsDlgButtonChecked(g_view, box) == BST_CHECKED;
}

// Each processor's figure; the total stands in while the per-processor counters are missing.
std::vector<int> ProcessorPercents(const SystemFigures& figures, size_t count) {
    std::vector<int> percents(count, figures.totalCpu);
    for (size_t i = 0; i < count && i < figures.processorCpu.size(); ++i)
        percents[i] = figures.processorCpu[i];
    return percents;
}

}  // namespace

void CreateMonitorView(HWND view, HFONT font, int processorCount) {
    g_view = view;
    g_font = font;
    AddControl(view, "STATIC", LanguageText(LanguageKey::CPUUsage), SS_LEFT, 0, 0, 10, 10, ControlMonitorCpuTitle,
               font);
    AddControl(view, "STATIC", LanguageText(LanguageKey::MemoryUsage), SS_LEFT, 0, 0, 10, 10, ControlMonitorMemoryTitle,
               font);
    g_cpuGraph = MakeScrollingGraph(kGraphWidth, kGraphHeight);
    g_memoryGraph = MakeScrollingGraph(kGraphWidth, kGraphHeight);
    CreateGraphControl(view, ControlMonitorCpuGraph, &g_cpuGraph.image);
    CreateGraphControl(view, ControlMonitorMemoryGraph, &g_memoryGraph.image);
    for (int box : {ControlMonitorCpuPause, ControlMonitorMemoryPause})
        AddControl(view, "BUTTON", LanguageText(LanguageKey::Pause), WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 10, 10, box,
                   font);
    const size_t processors = static_cast<size_t>(std::max(processorCount, 1));
    g_bars = MakePixelImage(ProcessorBarsWidth(processors), kProcessorBarsHeight);
    CreateGraphControl(view, ControlMonitorBars, &g_bars);
    AddControl(view, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, 0, 10, 10, ControlMonitorFigures, font);
}

void LayoutMonitorView(int width, int height) {
    if (g_view == nullptr)
        return;
    const int x = 12;
    MoveWindow(Item(ControlMonitorCpuTitle), x, 8, kGraphWidth, 16, TRUE);
    MoveWindow(Item(ControlMonitorCpuGraph), x, 26, kGraphWidth, kGraphHeight, TRUE);
    MoveWindow(Item(ControlMonitorCpuPause), x, 26 + kGraphHeight + 4, 120, 18, TRUE);
    const int memoryTop = 26 + kGraphHeight + 30;
    MoveWindow(Item(ControlMonitorMemoryTitle), x, memoryTop, kGraphWidth, 16, TRUE);
    MoveWindow(Item(ControlMonitorMemoryGraph), x, memoryTop + 18, kGraphWidth, kGraphHeight, TRUE);
    MoveWindow(Item(ControlMonitorMemoryPause), x, memoryTop + 18 + kGraphHeight + 4, 120, 18, TRUE);
    const int right = x + kGraphWidth + 20;
    MoveWindow(Item(ControlMonitorBars), right, 26, g_bars.width, g_bars.height, TRUE);
    MoveWindow(Item(ControlMonitorFigures), right, memoryTop + 18, std::max(width - right - 8, 60), 60, TRUE);
    (void)height;
}

void StepMonitorGraphs(const SystemFigures& figures) {
    if (g_view == nullptr)
        return;
    if (!Paused(ControlMonitorCpuPause)) {
        StepGraph(g_cpuGraph, {{kCpuLine, figures.totalCpu, 0, true}});
        ShowGraph(Item(ControlMonitorCpuGraph));
    }
    if (!Paused(ControlMonitorMemoryPause)) {
        StepGraph(g_memoryGraph, {{kRamLine, figures.ramPercent, 0, true}, {kSwapLine, figures.swapPercent, 0, true}});
        ShowGraph(Item(ControlMonitorMemoryGraph));
    }
}

void ShowMonitorFigures(const SystemFigures& figures) {
    if (g_view == nullptr)
        return;
    const std::string text = "CPU: " + std::to_string(figures.totalCpu) +
                             "%\r\nRAM: " + std::to_string(figures.ramPercent) +
                             "%\r\nSwap: " + std::to_string(figures.swapPercent) + "%";
    SetWindowTextA(Item(ControlMonitorFigures), text.c_str());
    const size_t processors = static_cast<size_t>((g_bars.width - 20) / 30);
    const std::vector<int> percents = ProcessorPercents(figures, processors);
    DrawProcessorBars(g_bars, percents);
    DrawBarLabels(g_bars, ProcessorBarLabels(percents), g_font);
    ShowGraph(Item(ControlMonitorBars));
}
