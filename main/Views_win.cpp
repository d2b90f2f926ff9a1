#include "main/Views_win.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "foundation/ScopedHandles_win.h"
#include "hardware/NetworksView_win.h"
#include "hardware/SmartView_win.h"
#include "main/Banner_win.h"
#include "main/CommandIds.h"
#include "main/ImageButtons_win.h"
#include "main/MainWindows_win.h"
#include "main/MonitorView_win.h"
#include "main/ProgramModel.h"
#include "main/autoruns/AutorunsView_win.h"
#include "main/processes/DiagramWindow_win.h"
#include "main/processes/MemoryPanel_win.h"
#include "main/processes/ProcessList_win.h"
#include "main/processes/WindowsView_win.h"
#include "main/services/ServicesView_win.h"

namespace {

const char kViewClassName[] = "VantrelView";

// A view's lists and panels are made the first time something needs them: making all of them
// would hold up the first shown window for views the user may never open.
bool g_viewMade[ViewCount] = {};

// The views' containers pass their controls' notifications on to the main window, which
// dispatches every identifier in one place.
LRESULT CALLBACK ViewCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
            return SendMessageA(g_windows.window, message, wParam, lParam);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return WhiteControlBackground(wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int CaptionWidth(HWND box, const std::string& caption) {
    ScopedWindowDc dc(box);
    ScopedSelection font(dc.get(), g_windows.uiFont);
    SIZE text{};
    GetTextExtentPoint32A(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &text);
    return text.cx;
}

void LayoutView(int v, int width, int height) {
    // Check boxes sit in one row along the bottom of the view; the list above fills the rest.
    const std::vector<ViewCheckBox> boxes = ViewCheckBoxes(v);
    std::vector<int> captionWidths;
    for (const ViewCheckBox& box : boxes) {
        captionWidths.push_back(CaptionWidth(GetDlgItem(g_windows.views[v], box.id), LanguageText(box.text)));
    }
    const std::vector<WindowPlacement> places = ViewCheckBoxPlaces(captionWidths, height);
    for (size_t c = 0; c < boxes.size(); ++c) {
        MoveWindow(GetDlgItem(g_windows.views[v], boxes[c].id), places[c].x, places[c].y, places[c].width,
                   places[c].height, TRUE);
    }
    if (v == ViewProcesses) {
        LayoutProcessList(width, height);
        LayoutMemoryPanel(width, height);
    }
    if (v == ViewWindows) {
        LayoutWindowsList(width, height);
    } else if (v == ViewNetworks) {
        LayoutNetworksView(width, height);
    } else if (v == ViewMonitor) {
        LayoutMonitorView(width, height);
    }
    LayoutServiceLists(v, width, height);
    if (v == ViewSmart) {
        LayoutSmartLists(width, height);
    }
    if (v == ViewAutoruns) {
        LayoutAutorunsView(width, height);
    }
}

// A view's selection, as far as its list can tell; without a list nothing is selected.
bool ViewHasSelection(int view) {
    HWND list = FindWindowExA(g_windows.views[view], nullptr, WC_LISTVIEWA, nullptr);
    return list != nullptr && ListViewSelectedCount(list) > 0;
}

}  // namespace

void CreateViews() {
    WNDCLASSEXA viewClass{};
    viewClass.cbSize = sizeof(viewClass);
    viewClass.lpfnWndProc = ViewCallback;
    viewClass.hInstance = g_windows.instance;
    viewClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    viewClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    viewClass.lpszClassName = kViewClassName;
    RegisterClassExA(&viewClass);

    for (int v = 0; v < ViewCount; ++v) {
        HWND view = CreateWindowExA(WS_EX_CONTROLPARENT, kViewClassName, "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10, 10,
                                    g_windows.window, nullptr, g_windows.instance, nullptr);
        g_windows.views[v] = view;
        for (const ViewCheckBox& box : ViewCheckBoxes(v)) {
            AddControl(view, "BUTTON", LanguageText(box.text), WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 10, 10, box.id,
                       g_windows.uiFont);
        }
    }
    MakeViewControls(ViewProcesses);
}

void MakeViewControls(int view) {
    if (view < 0 || view >= ViewCount || g_viewMade[view]) {
        return;
    }
    g_viewMade[view] = true;
    HWND container = g_windows.views[view];
    switch (view) {
        case ViewProcesses:
            CreateProcessList(container, &g_program.preferences);
            SetProcessListRatings(&g_program.database);
            AddProcessListChangeObserver([] { DrawDiagramWindow(g_windows.secondary[WindowDiagram]); });
            CreateMemoryPanel(container, g_windows.uiFont);
            break;
        case ViewWindows:
            CreateWindowsList(container);
            break;
        case ViewNetworks:
            CreateNetworksView(container, g_windows.uiFont);
            break;
        case ViewMonitor:
            CreateMonitorView(container, g_windows.uiFont, g_program.processorCount);
            break;
        case ViewServices:
            CreateServicesList(container);
            break;
        case ViewDrivers:
            CreateDriversList(container);
            break;
        case ViewAutoruns:
            CreateAutorunsView(container, g_windows.uiFont, &g_program.preferences, &g_program.database);
            break;
        case ViewSmart:
            CreateSmartLists(container, &g_program.preferences.SMARTMonitoring);
            break;
    }
    RECT area{};
    GetClientRect(container, &area);
    LayoutView(view, area.right, area.bottom);
}

void ShowPreferencesInViews() {
    CheckDlgButton(g_windows.views[ViewProcesses], ControlProcessTree,
                   g_program.preferences.PreferencesPPIDView ? BST_CHECKED : BST_UNCHECKED);
}

void LayoutViews(int top, int width, int height) {
    for (int v = 0; v < ViewCount; ++v) {
        MoveWindow(g_windows.views[v], 0, top, width, height > 0 ? height : 0, TRUE);
        if (g_viewMade[v]) {
            LayoutView(v, width, height);
        }
    }
}

void SwitchView(int view, bool refreshNow) {
    if (view < 0 || view >= ViewCount) {
        return;
    }
    MakeViewControls(view);
    for (int v = 0; v < ViewCount; ++v) {
        ShowWindow(g_windows.views[v], v == view ? SW_SHOW : SW_HIDE);
    }
    if (refreshNow) {
        RefreshView(view);
    }
    SetImageButtonTooltips(view);
    g_program.currentView = view;
    ShowBanner(view);
    for (int v = 0; v < ViewCount; ++v) {
        CheckMenuCommand(g_windows.viewMenu, CommandViewFirst + v, v == view);
    }
    UpdateButtons();
}

void RefreshView(int view) {
    MakeViewControls(view);
    // The views' lists join here as they are built; a view without a list has nothing to refresh.
    if (view == ViewProcesses) {
        RefreshProcessList(-1, 0);
        DrawDiagramWindow(g_windows.secondary[WindowDiagram]);
    }
    if (view == ViewWindows) {
        RebuildWindowsList();
    } else if (view == ViewNetworks) {
        RefreshNetworkList();
    } else if (view == ViewServices) {
        RebuildServicesList();
    } else if (view == ViewDrivers) {
        RebuildDriversList();
    } else if (view == ViewSmart) {
        RefreshSmartView();
    } else if (view == ViewAutoruns) {
        RefreshAutoruns();
    }
}

void RefreshListsOnTimer() {
    int view = ViewRefreshedOnTimer(g_program.currentView);
    // The diagram and the information window show the process list's rows, so they follow the
    // system while either is open. The processes are sampled away from the window thread; the
    // list, the diagram and the information window follow when the pass arrives.
    if (view == ViewProcesses || IsWindowVisible(g_windows.secondary[WindowDiagram]) ||
        IsWindowVisible(g_windows.secondary[WindowProcessInformation])) {
        RequestProcessListRefresh();
    }
    if (view >= 0 && view != ViewProcesses) {
        RefreshView(view);
    }
}

void StepViewGraphs() {
    if (g_program.currentView == ViewNetworks) {
        StepTrafficGraph();
    } else if (g_program.currentView == ViewMonitor) {
        StepMonitorGraphs(g_program.figures);
    }
}

void ShowViewFigures() {
    if (g_program.currentView == ViewMonitor) {
        ShowMonitorFigures(g_program.figures);
    }
}

void UpdateButtons() {
    int view = g_program.currentView;
    bool selected = view >= 0 && ViewHasSelection(view);
    for (int command : kButtonCommands) {
        SetImageButtonEnabled(command, ButtonEnabled(command, view, selected));
    }
}
