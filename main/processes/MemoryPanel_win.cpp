#include "main/processes/MemoryPanel_win.h"

#include <array>
#include <vector>

#include "foundation/ScopedHandles_win.h"

namespace {

constexpr size_t kLineCount = kMemoryPanelLines;
constexpr size_t kPartCount = kMemoryPanelParts;
constexpr char kPanelClassName[] = "VantrelMemoryPanel";

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

// The widest text of one part of each group as the panel shows it now.
std::array<int, 2> WidestPart(HDC dc, size_t part, int least) {
    std::array<int, kLineCount> widths{};
    for (size_t i = 0; i < kLineCount; ++i)
        widths[i] = TextWidth(dc, g_panel.cells[i][part].text);
    return WidestOfGroups(g_panel.groupOfLine, widths, least);
}

std::array<int, 2> WidestBytes(HDC dc) {
    return WidestPart(dc, 1, TextWidth(dc, kMemoryPanelNarrowestBytes));
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
    MemoryPanelTexts texts = MemoryPanelTextsOf(MemoryStatusFigures{}, 0);
    g_panel.groupOfLine = texts.groupOfLine;
    for (size_t group = 0; group < 2; ++group)
        g_panel.titles[group].text = texts.titles[group];
    for (size_t i = 0; i < kLineCount; ++i) {
        g_panel.cells[i][0].text = texts.cells[i][0];
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
    return MemoryPanelBandHeight(g_panel.rowHeight);
}

void LayoutMemoryPanel(int width, int height) {
    if (g_panel.view == nullptr)
        return;
    g_panel.size = {width, height};
    std::array<int, 2> labelWidth = WithPanelFont([](HDC dc) {
        g_panel.bytesWidth = WidestBytes(dc);
        return WidestPart(dc, 0, 0);
    });
    const int percentWidth = WithPanelFont([](HDC dc) { return TextWidth(dc, kMemoryPanelWidestPercent); });
    MemoryPanelPlaces places =
        PlaceMemoryPanel(g_panel.groupOfLine, labelWidth, g_panel.bytesWidth, percentWidth, g_panel.rowHeight);
    auto toRect = [](const ScreenRect& box) { return RECT{box.left, box.top, box.right, box.bottom}; };
    for (size_t group = 0; group < 2; ++group)
        g_panel.titles[group].place = toRect(places.titles[group]);
    for (size_t i = 0; i < kLineCount; ++i) {
        for (size_t part = 0; part < kPartCount; ++part)
            g_panel.cells[i][part].place = toRect(places.cells[i][part]);
    }
    const int bandTop = height - kMemoryPanelCheckBoxRowHeight - MemoryPanelHeight();
    MoveWindow(g_panel.band, 0, bandTop, width, MemoryPanelHeight(), FALSE);
    InvalidateRect(g_panel.band, nullptr, FALSE);
}

void UpdateMemoryPanel(const MemoryStatusFigures& memory, uint64_t workingSetSum) {
    if (g_panel.view == nullptr)
        return;
    g_panel.memory = memory;
    g_panel.workingSetSum = workingSetSum;
    MemoryPanelTexts texts = MemoryPanelTextsOf(memory, workingSetSum);
    for (size_t i = 0; i < kLineCount; ++i) {
        SetText(g_panel.cells[i][1], texts.cells[i][1]);
        SetText(g_panel.cells[i][2], texts.cells[i][2]);
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
