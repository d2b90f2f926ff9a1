#include "main/processes/MemoryPanel_win.h"

#include <algorithm>
#include <array>
#include <vector>

#include "foundation/Language.h"
#include "foundation/ScopedHandles_win.h"

namespace {

constexpr size_t kLineCount = 7;
constexpr size_t kPartCount = 3;
constexpr int kMargin = 8;
constexpr int kGroupGap = 28;
constexpr int kColumnGap = 8;
constexpr int kCheckBoxRowHeight = 28;  // the view's check boxes sit below the band
constexpr char kPanelClassName[] = "VantrelMemoryPanel";
// The narrowest byte column, so the layout does not jump as the figures change; a group whose
// figures grow wider gets a wider column.
constexpr char kNarrowestBytes[] = "0.000.000.000 Bytes";
constexpr char kWidestPercent[] = "(100%)";

struct PanelText {
    std::string text;
    RECT place{};  // in the band's coordinates
    UINT align = DT_LEFT;
};

struct MemoryPanel {
    HWND view = nullptr;
    HWND band = nullptr;
    HFONT font = nullptr;
    std::array<PanelText, 2> titles{};
    std::array<std::array<PanelText, kPartCount>, kLineCount> cells{};
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

template <typename Visit>
void ForEachText(Visit visit) {
    for (PanelText& title : g_panel.titles)
        visit(title);
    for (auto& line : g_panel.cells)
        for (PanelText& cell : line)
            visit(cell);
}

void PaintBand(HWND band) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(band, &paint);
    RECT all;
    GetClientRect(band, &all);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        ScopedSelection font(dc, PanelFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        ForEachText([dc](PanelText& text) {
            DrawTextA(dc, text.text.c_str(), static_cast<int>(text.text.size()), &text.place,
                      text.align | DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
        });
    }
    EndPaint(band, &paint);
}

LRESULT CALLBACK BandCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintBand(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint fills the whole band
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateBand(HWND view) {
    WNDCLASSEXA bandClass{};
    bandClass.cbSize = sizeof(bandClass);
    bandClass.lpfnWndProc = BandCallback;
    bandClass.hInstance = GetModuleHandleA(nullptr);
    bandClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    bandClass.lpszClassName = kPanelClassName;
    RegisterClassExA(&bandClass);  // fails harmlessly when a second panel registers it again
    return CreateWindowExA(0, kPanelClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, view, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void SetText(PanelText& cell, const std::string& text) {
    if (cell.text == text)
        return;
    cell.text = text;
    if (g_panel.band != nullptr)
        InvalidateRect(g_panel.band, &cell.place, FALSE);
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
        widest[group] = std::max(widest[group], TextWidth(dc, g_panel.cells[i][1].text));
    }
    return widest;
}

// Runs `measure` with a device context that has the panel's font selected.
template <typename Measure>
auto WithPanelFont(Measure measure) {
    ScopedWindowDc dc(g_panel.view);
    ScopedSelection font(dc.get(), PanelFont());
    return measure(dc.get());
}

}  // namespace

void CreateMemoryPanel(HWND view, HFONT font) {
    g_panel.view = view;
    g_panel.font = font;
    g_panel.band = CreateBand(view);
    // The labels and groups come from the summary itself, so the panel shows its lines in its order.
    std::vector<MemorySummaryLine> lines = MemorySummary(MemoryStatusFigures{}, 0);
    g_panel.titles[0].text = LanguageText(lines.front().group) + ":";
    g_panel.titles[1].text = LanguageText(lines.back().group) + ":";
    for (size_t i = 0; i < kLineCount && i < lines.size(); ++i) {
        g_panel.groupOfLine[i] = lines[i].group == lines.front().group ? 0 : 1;
        g_panel.cells[i][0].text = LanguageText(lines[i].line) + ":";
        g_panel.cells[i][1].align = DT_RIGHT;
        g_panel.cells[i][2].align = DT_RIGHT;
    }
    g_panel.rowHeight = WithPanelFont([](HDC dc) {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        return static_cast<int>(metrics.tmHeight) + 2;
    });
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
    std::array<int, 2> labelWidth = WithPanelFont([](HDC dc) {
        std::array<int, 2> widest{};
        for (size_t i = 0; i < kLineCount; ++i) {
            size_t group = g_panel.groupOfLine[i];
            widest[group] = std::max(widest[group], TextWidth(dc, g_panel.cells[i][0].text));
        }
        g_panel.bytesWidth = WidestBytes(dc);
        return widest;
    });
    const std::array<int, 2>& bytesWidth = g_panel.bytesWidth;
    const int percentWidth = WithPanelFont([](HDC dc) { return TextWidth(dc, kWidestPercent); });

    const int bandTop = height - kCheckBoxRowHeight - MemoryPanelHeight();
    const int top = 6;  // within the band
    std::array<int, 2> left{kMargin, 0};
    left[1] = left[0] + labelWidth[0] + bytesWidth[0] + percentWidth + 3 * kColumnGap + kGroupGap;
    for (size_t group = 0; group < 2; ++group) {
        int groupWidth = labelWidth[group] + bytesWidth[group] + percentWidth + 3 * kColumnGap;
        g_panel.titles[group].place = {left[group], top, left[group] + groupWidth, top + g_panel.rowHeight};
    }
    std::array<int, 2> row{1, 1};
    for (size_t i = 0; i < kLineCount; ++i) {
        size_t group = g_panel.groupOfLine[i];
        int x = left[group] + kColumnGap;  // lines sit a little in from their title
        int y = top + row[group]++ * g_panel.rowHeight;
        const int widths[kPartCount] = {labelWidth[group], bytesWidth[group], percentWidth};
        for (size_t part = 0; part < kPartCount; ++part) {
            g_panel.cells[i][part].place = {x, y, x + widths[part], y + g_panel.rowHeight};
            x += widths[part] + kColumnGap;
        }
    }
    MoveWindow(g_panel.band, 0, bandTop, width, MemoryPanelHeight(), FALSE);
    InvalidateRect(g_panel.band, nullptr, FALSE);
}

void UpdateMemoryPanel(const MemoryStatusFigures& memory, uint64_t workingSetSum) {
    if (g_panel.view == nullptr)
        return;
    g_panel.memory = memory;
    g_panel.workingSetSum = workingSetSum;
    std::vector<MemorySummaryLine> lines = MemorySummary(memory, workingSetSum);
    for (size_t i = 0; i < kLineCount && i < lines.size(); ++i) {
        SetText(g_panel.cells[i][1], lines[i].bytes);
        SetText(g_panel.cells[i][2], lines[i].percent);
    }
    std::array<int, 2> widest = WithPanelFont([](HDC dc) { return WidestBytes(dc); });
    if (widest != g_panel.bytesWidth && g_panel.size.cx > 0)
        LayoutMemoryPanel(g_panel.size.cx, g_panel.size.cy);
}

std::string MemoryPanelText(size_t line, size_t part) {
    if (g_panel.view == nullptr || line >= kLineCount || part >= kPartCount)
        return "";
    return g_panel.cells[line][part].text;
}

std::string MemoryPanelGroupTitle(size_t group) {
    return g_panel.view == nullptr || group >= 2 ? "" : g_panel.titles[group].text;
}

void LastMemoryPanelFigures(MemoryStatusFigures& memory, uint64_t& workingSetSum) {
    memory = g_panel.memory;
    workingSetSum = g_panel.workingSetSum;
}

HWND MemoryPanelWindow() {
    return g_panel.band;
}

std::vector<MemoryPanelPlacedText> MemoryPanelLayout() {
    std::vector<MemoryPanelPlacedText> placed;
    if (g_panel.band == nullptr)
        return placed;
    RECT band{};
    GetWindowRect(g_panel.band, &band);
    MapWindowPoints(nullptr, g_panel.view, reinterpret_cast<POINT*>(&band), 2);
    ForEachText([&](PanelText& text) {
        RECT place = text.place;
        OffsetRect(&place, band.left, band.top);
        placed.push_back({text.text, place});
    });
    return placed;
}
