#include "main/processes/DiagramWindow_win.h"

#include <commctrl.h>

#include <string>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "main/SystemFiles_win.h"
#include "main/processes/Diagram.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "resources/PngBitmap_win.h"

namespace {

struct DiagramWindowState {
    DiagramImage image;
    ScopedGdiObject<HBITMAP> bitmap;
    HIMAGELIST icons = nullptr;
    HICON panelIcon = nullptr;
};

DiagramWindowState g_diagram;

constexpr int kImageLeft = kDiagramWindowCentre - kDiagramCentre;
constexpr int kPanelLeft = kImageLeft + kDiagramSize + 10;
constexpr int kPanelWidth = 140;
constexpr int kDiagramWindowWidth = 425;
constexpr int kDiagramWindowHeight = 300;

int ChosenSeries(HWND window) {
    int chosen = ComboBoxSelection(GetDlgItem(window, ControlDiagramSeries));
    return chosen >= 0 && chosen < DiagramSeriesCount ? chosen : DiagramCpuUsage;
}

DiagramTotals MemoryTotals() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    DiagramTotals totals;
    if (GlobalMemoryStatusEx(&status)) {
        totals.physicalKb = static_cast<double>(status.ullTotalPhys) / 1000;
        totals.virtualKb = static_cast<double>(status.ullTotalVirtual) / 1000;
    }
    return totals;
}

void SetPanelIcon(HWND window, const std::string& path) {
    HICON icon = nullptr;
    if (path.empty() || ExtractLargeIcon(path, 0, &icon) == 0 || icon == nullptr)
        ExtractLargeIcon("shell32.dll", 2, &icon);
    SetStaticIcon(GetDlgItem(window, ControlDiagramPanelFirst), icon);
    if (g_diagram.panelIcon != nullptr)
        DestroyIcon(g_diagram.panelIcon);
    g_diagram.panelIcon = icon;
}

// The panel beside the disc follows the pointer while the window is the active one.
void DiagramHover(HWND window, int series, const DiagramTotals& totals) {
    POINT pointer;
    if (GetForegroundWindow() != window || !GetCursorPos(&pointer))
        return;
    ScreenToClient(window, &pointer);
    DiagramDetails details;
    if (!DiagramDetailsAt(*ProcessListView().table, series, totals, pointer.x, pointer.y, details))
        return;
    SetPanelIcon(window, details.row == kNoRow ? std::string()
                                               : Cell(*ProcessListView().table, details.row, kProcessColumnFilePath));
    const std::string* texts[4] = {&details.name, &details.secondLine, &details.value, &details.memory};
    for (int i = 0; i < 4; ++i)
        SetDlgItemTextA(window, ControlDiagramPanelFirst + 1 + i, texts[i]->c_str());
}

}  // namespace

void FillDiagramWindow(HWND window, HFONT font) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&classes);
    // The client area takes the window's whole size, so that the disc is never cut off.
    RECT frame = {0, 0, kDiagramWindowWidth, kDiagramWindowHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    g_diagram.icons = ImageList_Create(kDiagramIconSize, kDiagramIconSize, ILC_COLOR32, DiagramSeriesCount, 0);
    HWND chooser =
        CreateWindowExA(0, WC_COMBOBOXEXA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 8, 4,
                        kDiagramSize - 2, 200, window, ChildIdentifier(ControlDiagramSeries), nullptr, nullptr);
    SetControlFont(chooser, font);
    SendMessageA(chooser, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(g_diagram.icons));
    for (int series = 0; series < DiagramSeriesCount; ++series) {
        ScopedGdiObject<HBITMAP> icon(
            CreateColourBitmap(DiagramSeriesIcon(series), kDiagramIconSize, kDiagramIconSize));
        const int image = ImageList_Add(g_diagram.icons, icon.get(), nullptr);
        std::string text = LanguageText(DiagramSeriesName(series));
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = series;
        item.pszText = &text[0];
        item.iImage = image;
        item.iSelectedImage = image;
        SendMessageA(chooser, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SelectComboBoxItem(chooser, DiagramCpuUsage);
    AddControl(window, "STATIC", "", SS_BITMAP | SS_NOTIFY, kImageLeft, kImageLeft, kDiagramSize, kDiagramSize,
               ControlDiagramImage, font);
    AddControl(window, "STATIC", "", SS_ICON, kPanelLeft, kImageLeft + 10, 32, 32, ControlDiagramPanelFirst, font);
    const int lineTops[4] = {kImageLeft + 50, kImageLeft + 68, kImageLeft + 110, kImageLeft + 128};
    for (int i = 0; i < 4; ++i) {
        AddControl(window, "STATIC", "", SS_LEFT | SS_ENDELLIPSIS, kPanelLeft, lineTops[i], kPanelWidth,
                   i == 1 ? 36 : 16, ControlDiagramPanelFirst + 1 + i, font);
    }
}

void ToggleDiagramWindow(HWND window) {
    if (IsWindowVisible(window)) {
        ShowWindow(window, SW_HIDE);
        return;
    }
    ShowWindow(window, SW_SHOW);
    DrawDiagramWindow(window);
}

void DrawDiagramWindow(HWND window) {
    if (window == nullptr || !IsWindowVisible(window) || ProcessListView().table == nullptr)
        return;
    const int series = ChosenSeries(window);
    const DiagramTotals totals = MemoryTotals();
    DrawDiagram(g_diagram.image, *ProcessListView().table, series, totals);
    HBITMAP bitmap = CreateColourBitmap(g_diagram.image.pixels, kDiagramSize, kDiagramSize);
    if (bitmap == nullptr)
        return;
    SetStaticBitmap(GetDlgItem(window, ControlDiagramImage), bitmap);
    g_diagram.bitmap.reset(bitmap);  // the control does not own what it was given
    DiagramHover(window, series, totals);
}

bool HandleDiagramWindowCommand(HWND window, int id, int code) {
    if (id == ControlDiagramSeries) {
        if (code == CBN_SELCHANGE)
            DrawDiagramWindow(window);
        return true;
    }
    if (id == ControlDiagramImage) {
        POINT pointer;
        if (code == STN_DBLCLK && GetCursorPos(&pointer)) {
            ScreenToClient(window, &pointer);
            DiagramClickAt(window, pointer.x, pointer.y);
        }
        return true;
    }
    return false;
}

void DiagramClickAt(HWND window, int x, int y) {
    TableListView& list = ProcessListView();
    if (list.table == nullptr)
        return;
    const size_t row = DiagramHitRow(*list.table, ChosenSeries(window), MemoryTotals(), x, y);
    if (row != kNoRow)
        SelectOnlyRow(list, row);
}

uint32_t DiagramWindowPixel(int x, int y) {
    return DiagramPixel(g_diagram.image, x, y);
}
