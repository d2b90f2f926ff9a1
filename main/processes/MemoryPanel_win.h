#pragma once
// The memory summary of the processes view: groups Memory and Pagefile, each line with its byte
// figure and share, in a band below the process list. The band is one window that paints its texts
// itself: two dozen static controls cost a tenth of a second of every start-up under Wine.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "main/processes/MemoryPanel.h"
#include "main/processes/SystemFigures.h"

void CreateMemoryPanel(HWND view, HFONT font);
// The band's height; 0 while there is no panel.
int MemoryPanelHeight();
// Places the band in a view of this size, just above the row of check boxes at its bottom.
void LayoutMemoryPanel(int width, int height);
// Shows the summary of these figures; texts are rewritten only when they change.
void UpdateMemoryPanel(const MemoryStatusFigures& memory, uint64_t workingSetSum);

// What the panel shows, for tests: part 0 is the line's label, 1 its bytes, 2 its share.
std::string MemoryPanelText(size_t line, size_t part);
std::string MemoryPanelGroupTitle(size_t group);
// The figures of the last update.
void LastMemoryPanelFigures(MemoryStatusFigures& memory, uint64_t& workingSetSum);
// The band window, and where each text is painted in the view's coordinates (titles first).
HWND MemoryPanelWindow();
struct MemoryPanelPlacedText {
    std::string text;
    RECT place;
};
std::vector<MemoryPanelPlacedText> MemoryPanelLayout();
