#pragma once
// The memory summary band of the processes view, without the window: its texts and where each goes,
// from the text widths that the window measures in its font.

#include <array>
#include <cstdint>
#include <string>

#include "main/Geometry.h"
#include "main/processes/SystemFigures.h"

constexpr size_t kMemoryPanelLines = 7;
constexpr size_t kMemoryPanelParts = 3;  // label, bytes, share
// The narrowest byte column, so the layout does not jump as the figures change; a group whose
// figures grow wider gets a wider column.
constexpr char kMemoryPanelNarrowestBytes[] = "0.000.000.000 Bytes";
constexpr char kMemoryPanelWidestPercent[] = "(100%)";
constexpr int kMemoryPanelCheckBoxRowHeight = 28;  // the view's check boxes sit below the band

struct MemoryPanelTexts {
    std::array<std::string, 2> titles;  // Memory, Pagefile
    std::array<std::array<std::string, kMemoryPanelParts>, kMemoryPanelLines> cells;
    std::array<size_t, kMemoryPanelLines> groupOfLine{};
};

MemoryPanelTexts MemoryPanelTextsOf(const MemoryStatusFigures& memory, uint64_t workingSetSum);

struct MemoryPanelPlaces {
    std::array<ScreenRect, 2> titles;
    std::array<std::array<ScreenRect, kMemoryPanelParts>, kMemoryPanelLines> cells;
};

// Places the texts in the band: the two groups side by side, each a title over its lines, each line
// label, bytes and share in columns as wide as each group's widest.
MemoryPanelPlaces PlaceMemoryPanel(const std::array<size_t, kMemoryPanelLines>& groupOfLine,
                                   const std::array<int, 2>& labelWidth,
                                   const std::array<int, 2>& bytesWidth,
                                   int percentWidth,
                                   int rowHeight);
// The widest text of each group, from the width of each line's text, and at least `least`.
std::array<int, 2> WidestOfGroups(const std::array<size_t, kMemoryPanelLines>& groupOfLine,
                                  const std::array<int, kMemoryPanelLines>& widths,
                                  int least);
// The band's height: a title row and the Memory group's four lines, with a little air above.
int MemoryPanelBandHeight(int rowHeight);
