#include "main/processes/MemoryPanel_win.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr size_t kLineCount = 7;
constexpr size_t kPartCount = 3;
constexpr int kMargin = 8;
constexpr int kGroupGap = 28;
constexpr int kColumnGap = 8;
constexpr int kCheckBoxRowHeight = 28;  // the view's check boxes sit below the band
// The narrowest byte column, so the layout does not jump as the figures change; a group whose
// figures grow wider gets a wider column.
constexpr char kNarrowestBytes[] = "0.000.000.000 Bytes";
constexpr char kWidestPercent[] = "(100%)";

struct MemoryPanel {
    HWND view = nullptr;
    HFONT font = nullptr;
    std::array<HWND, 2> titles{};
    std::array<std::array<HWND, kPartCount>, kLineCount> cells{};
    std::array<size_t, kLineCount> groupOfLine{};
    int rowHeight = 16;
    std::array<int, 2> bytesWidth{};
    SIZE size{};  // of the view at the last layout
    MemoryStatusFigures memory;
    uint64_t workingSetSum = 0;
};

MemoryPanel g_panel;

HFONT PanelFont() {
    return g_panel.font != nullptr ? g_panel.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND CreateText(const std::string& text, DWORD align) {
    HWND control = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX | align, 0, 0, 10, 10,
                                   g_panel.view, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(PanelFont()), FALSE);
    return control;
}

std::string WindowText(HWND control) {
    char text[256] = {};
    GetWindowTextA(control, text, sizeof(text));
    return text;
}

void SetTextIfChanged(HWND control, const std::string& text) {
    if (WindowText(control) != text)
        SetWindowTextA(control, text.c_str());
}

int TextWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The widest byte figure of each group as the panel shows it now.
std::array<int, 2> WidestBytes(HDC dc) {
    std::array<int, 2> widest{TextWidth(dc, kNarrowestBytes), TextWidth(dc, kNarrowestBytes)};
    for (size_t i = 0; i < kLineCount; ++i) {
        size_t group = g_panel.groupOfLine[i];
        widest[group] = std::max(widest[group], TextWidth(dc, WindowText(g_panel.cells[i][1])));
    }
    return widest;
}

}  // namespace

void CreateMemoryPanel(HWND view, HFONT font) {
    g_panel.view = view;
    g_panel.font = font;
    // The labels and groups come from the summary itself, so the panel shows its lines in its order.
    std::vector<MemorySummaryLine> lines = MemorySummary(MemoryStatusFigures{}, 0);
    g_panel.titles[0] = CreateText(LanguageText(lines.front().group) + ":", SS_LEFT);
    g_panel.titles[1] = CreateText(LanguageText(lines.back().group) + ":", SS_LEFT);
    for (size_t i = 0; i < kLineCount && i < lines.size(); ++i) {
        g_panel.groupOfLine[i] = lines[i].group == lines.front().group ? 0 : 1;
        g_panel.cells[i][0] = CreateText(LanguageText(lines[i].line) + ":", SS_LEFT);
        g_panel.cells[i][1] = CreateText("", SS_RIGHT);
        g_panel.cells[i][2] = CreateText("", SS_RIGHT);
    }
    HDC dc = GetDC(view);
    HGDIOBJ old = SelectObject(dc, PanelFont());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    g_panel.rowHeight = metrics.tmHeight + 2;
    SelectObject(dc, old);
    ReleaseDC(view, dc);
}

int MemoryPanelHeight() {
    if (g_panel.view == nullptr)
        return 0;
    // A title row and the Memory group's four lines, with a little air above.
    return 5 * g_panel.rowHeight + 6;
}

void LayoutMemoryPanel(int width, int height) {
    if (g_panel.view == nullptr)
        return;
    g_panel.size = {width, height};
    HDC dc = GetDC(g_panel.view);
    HGDIOBJ old = SelectObject(dc, PanelFont());
    std::array<int, 2> labelWidth{};
    for (size_t i = 0; i < kLineCount; ++i) {
        size_t group = g_panel.groupOfLine[i];
        labelWidth[group] = std::max(labelWidth[group], TextWidth(dc, WindowText(g_panel.cells[i][0])));
    }
    g_panel.bytesWidth = WidestBytes(dc);
    const std::array<int, 2>& bytesWidth = g_panel.bytesWidth;
    int percentWidth = TextWidth(dc, kWidestPercent);
    SelectObject(dc, old);
    ReleaseDC(g_panel.view, dc);

    int top = height - kCheckBoxRowHeight - MemoryPanelHeight() + 6;
    std::array<int, 2> left{kMargin, 0};
    left[1] = left[0] + labelWidth[0] + bytesWidth[0] + percentWidth + 3 * kColumnGap + kGroupGap;
    for (size_t group = 0; group < 2; ++group) {
        int groupWidth = labelWidth[group] + bytesWidth[group] + percentWidth + 3 * kColumnGap;
        MoveWindow(g_panel.titles[group], left[group], top, groupWidth, g_panel.rowHeight, TRUE);
    }
    std::array<int, 2> row{1, 1};
    for (size_t i = 0; i < kLineCount; ++i) {
        size_t group = g_panel.groupOfLine[i];
        int x = left[group] + kColumnGap;  // lines sit a little in from their title
        int y = top + row[group]++ * g_panel.rowHeight;
        MoveWindow(g_panel.cells[i][0], x, y, labelWidth[group], g_panel.rowHeight, TRUE);
        x += labelWidth[group] + kColumnGap;
        MoveWindow(g_panel.cells[i][1], x, y, bytesWidth[group], g_panel.rowHeight, TRUE);
        x += bytesWidth[group] + kColumnGap;
        MoveWindow(g_panel.cells[i][2], x, y, percentWidth, g_panel.rowHeight, TRUE);
    }
    // A resize can paint the view over texts that end up where they were (seen on maximising).
    RECT band{0, top, width, top + MemoryPanelHeight()};
    RedrawWindow(g_panel.view, &band, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void UpdateMemoryPanel(const MemoryStatusFigures& memory, uint64_t workingSetSum) {
    if (g_panel.view == nullptr)
        return;
    g_panel.memory = memory;
    g_panel.workingSetSum = workingSetSum;
    std::vector<MemorySummaryLine> lines = MemorySummary(memory, workingSetSum);
    for (size_t i = 0; i < kLineCount && i < lines.size(); ++i) {
        SetTextIfChanged(g_panel.cells[i][1], lines[i].bytes);
        SetTextIfChanged(g_panel.cells[i][2], lines[i].percent);
    }
    HDC dc = GetDC(g_panel.view);
    HGDIOBJ old = SelectObject(dc, PanelFont());
    std::array<int, 2> widest = WidestBytes(dc);
    SelectObject(dc, old);
    ReleaseDC(g_panel.view, dc);
    if (widest != g_panel.bytesWidth && g_panel.size.cx > 0)
        LayoutMemoryPanel(g_panel.size.cx, g_panel.size.cy);
}

std::string MemoryPanelText(size_t line, size_t part) {
    if (g_panel.view == nullptr || line >= kLineCount || part >= kPartCount)
        return "";
    return WindowText(g_panel.cells[line][part]);
}

std::string MemoryPanelGroupTitle(size_t group) {
    return g_panel.view == nullptr || group >= 2 ? "" : WindowText(g_panel.titles[group]);
}

void LastMemoryPanelFigures(MemoryStatusFigures& memory, uint64_t& workingSetSum) {
    memory = g_panel.memory;
    workingSetSum = g_panel.workingSetSum;
}
