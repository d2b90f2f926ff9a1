#include "hardware/NetworksView_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ValueFormatting.h"
#include "hardware/NetworkInterfaces_win.h"
#include "hardware/NetworkRows.h"
#include "main/CommandIds.h"
#include "main/GraphView_win.h"
#include "main/View.h"

namespace {

RowTable g_networkTable = MakeRowTable(NetworkColumnCount);
TableListView g_networks;
std::vector<NetworkInterface> g_interfaces;
std::vector<InterfaceRate> g_rates;
NetworkSampler g_sampler;
int g_highestUtilisation = 0;
ScrollingGraph g_trafficGraph;
HWND g_view = nullptr;

constexpr int kGraphWidth = 240;
constexpr int kGraphHeight = 100;
constexpr int kLabelsWidth = 190;

int CompareSizes(std::string_view first, std::string_view second) {
    return CompareFormattedSizes(SizeColumnList::Networks, first, second);
}

std::vector<ListColumn> NetworkColumns() {
    return {
        {LanguageText(LanguageKey::NetworkAdapter), 125, LVCFMT_LEFT, NetworkColumnAdapter, CompareCellText},
        {LanguageText(LanguageKey::Type), 70, LVCFMT_LEFT, NetworkColumnType, CompareCellText},
        {LanguageText(LanguageKey::Download), 65, LVCFMT_RIGHT, NetworkColumnDownload, CompareSizes},
        {LanguageText(LanguageKey::Upload), 65, LVCFMT_RIGHT, NetworkColumnUpload, CompareSizes},
        {LanguageText(LanguageKey::Maximum), 65, LVCFMT_RIGHT, NetworkColumnMaximum, CompareSizes},
    };
}

HWND Item(int id) {
    return GetDlgItem(g_view, id);
}

void SetText(int id, const std::string& text) {
    SetWindowTextA(Item(id), text.c_str());
}

}  // namespace

TableListView& NetworksList() {
    return g_networks;
}

void CreateNetworksView(HWND view, HFONT font) {
    g_view = view;
    CreateTableListView(g_networks, view, ControlNetworkList, &g_networkTable, NetworkColumns(), false);
    for (int id :
         {ControlNetworkDetailTitle, ControlNetworkDetailLabels, ControlNetworkDetailValues, ControlNetworkUsage}) {
        AddControl(view, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, 0, 10, 10, id, font);
    }
    g_trafficGraph = MakeScrollingGraph(kGraphWidth, kGraphHeight);
    CreateGraphControl(view, ControlNetworkGraph, &g_trafficGraph.image);
    ShowInterfaceDetails();
}

void LayoutNetworksView(int width, int height) {
    if (g_networks.list == nullptr)
        return;
    const int listHeight = std::max(height / 2, 80);
    MoveWindow(g_networks.list, 0, 0, width, listHeight, TRUE);
    const int top = listHeight + 8;
    MoveWindow(Item(ControlNetworkDetailTitle), 8, top, std::max(width - kGraphWidth - 24, 50), 16, TRUE);
    const int detailsHeight = std::max(height - top - 24, 0);
    MoveWindow(Item(ControlNetworkDetailLabels), 8, top + 20, kLabelsWidth, detailsHeight, TRUE);
    MoveWindow(Item(ControlNetworkDetailValues), 8 + kLabelsWidth, top + 20,
               std::max(width - kGraphWidth - 24 - kLabelsWidth, 40), detailsHeight, TRUE);
    const int graphX = std::max(width - kGraphWidth - 8, 0);
    MoveWindow(Item(ControlNetworkGraph), graphX, top, kGraphWidth, kGraphHeight, TRUE);
    MoveWindow(Item(ControlNetworkUsage), graphX, top + kGraphHeight + 6, kGraphWidth, 16, TRUE);
}

void RefreshNetworkList() {
    if (g_networks.list == nullptr)
        return;
    SetRedraw(g_networks.list, false);
    ListViewState state = SaveListViewState(g_networks);
    ReadInterfaceTable(g_interfaces);
    g_rates = SampleNetworkRates(g_sampler, g_interfaces, GetTickCount());
    g_highestUtilisation = HighestUtilisation(g_rates);
    FillNetworkTable(g_networkTable, g_interfaces, g_rates);
    SetText(ControlNetworkUsage,
            LanguageText(LanguageKey::NetworkUsage) + ": " + std::to_string(g_highestUtilisation) + "%");
    RestoreListViewState(g_networks, state);
    SetRedraw(g_networks.list, true);
    InvalidateRect(g_networks.list, nullptr, TRUE);
    ShowInterfaceDetails();
}

void ShowInterfaceDetails() {
    const NetworkInterface* selected = InterfaceOfRow(g_networkTable, CurrentRow(g_networks), g_interfaces);
    std::string labels, values;
    if (selected == nullptr) {
        SetText(ControlNetworkDetailTitle, LanguageText(LanguageKey::ChooseNetworkAdapter));
    } else {
        SetText(ControlNetworkDetailTitle, selected->description + ":");
        for (const DetailLine& line : InterfaceDetails(*selected)) {
            labels += LanguageText(line.label) + ":\r\n";
            values += line.value + "\r\n";
        }
    }
    SetText(ControlNetworkDetailLabels, labels);
    SetText(ControlNetworkDetailValues, values);
}

const NetworkInterface* NetworkInterfaceOfRow(size_t row) {
    return InterfaceOfRow(g_networkTable, row, g_interfaces);
}

int NetworkHighestUtilisation() {
    return g_highestUtilisation;
}

void StepTrafficGraph() {
    std::vector<GraphLine> lines;
    for (size_t i = 0; i < g_interfaces.size() && i < g_rates.size(); ++i) {
        if (!g_rates[i].measured)
            continue;
        GraphLine line;
        line.key = static_cast<int>(g_interfaces[i].index);
        line.percent = std::max(g_rates[i].utilisation, 0);
        line.colour = InterfaceColour(i, g_interfaces[i].index);
        lines.push_back(line);
    }
    StepGraph(g_trafficGraph, lines);
    ShowGraph(Item(ControlNetworkGraph));
}

bool HandleNetworksListNotification(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != ControlNetworkList)
        return false;
    bool handled = HandleTableListNotification(g_networks, header, result);
    if (header.code == LVN_ITEMCHANGED || header.code == LVN_ODSTATECHANGED)
        ShowInterfaceDetails();
    return handled;
}
