#include "main/processes/MemoryPanel.h"

#include <algorithm>
#include <vector>

#include "foundation/Language.h"

namespace {

constexpr int kMargin = 8;
constexpr int kGroupGap = 28;
constexpr int kColumnGap = 8;
constexpr int kTop = 6;

}  // namespace

MemoryPanelTexts MemoryPanelTextsOf(const MemoryStatusFigures& memory, uint64_t workingSetSum) {
    // The labels and groups come from the summary itself, so the panel shows its lines in its order.
    std::vector<MemorySummaryLine> lines = MemorySummary(memory, workingSetSum);
    MemoryPanelTexts texts;
    if (lines.empty()) {
        return texts;
    }
    texts.titles[0] = LanguageText(lines.front().group) + ":";
    texts.titles[1] = LanguageText(lines.back().group) + ":";
    for (size_t i = 0; i < kMemoryPanelLines && i < lines.size(); ++i) {
        texts.groupOfLine[i] = lines[i].group == lines.front().group ? 0 : 1;
        texts.cells[i] = {LanguageText(lines[i].line) + ":", lines[i].bytes, lines[i].percent};
    }
    return texts;
}

MemoryPanelPlaces PlaceMemoryPanel(const std::array<size_t, kMemoryPanelLines>& groupOfLine,
                                   const std::array<int, 2>& labelWidth,
                                   const std::array<int, 2>& bytesWidth,
                                   int percentWidth,
                                   int rowHeight) {
    MemoryPanelPlaces places;
    std::array<int, 2> left{kMargin, 0};
    left[1] = left[0] + labelWidth[0] + bytesWidth[0] + percentWidth + 3 * kColumnGap + kGroupGap;
    for (size_t group = 0; group < 2; ++group) {
        int groupWidth = labelWidth[group] + bytesWidth[group] + percentWidth + 3 * kColumnGap;
        places.titles[group] = {left[group], kTop, left[group] + groupWidth, kTop + rowHeight};
    }
    std::array<int, 2> row{1, 1};
    for (size_t i = 0; i < kMemoryPanelLines; ++i) {
        size_t group = groupOfLine[i];
        int x = left[group] + kColumnGap;  // lines sit a little in from their title
        int y = kTop + row[group]++ * rowHeight;
        const int widths[kMemoryPanelParts] = {labelWidth[group], bytesWidth[group], percentWidth};
        for (size_t part = 0; part < kMemoryPanelParts; ++part) {
            places.cells[i][part] = {x, y, x + widths[part], y + rowHeight};
            x += widths[part] + kColumnGap;
        }
    }
    return places;
}

std::array<int, 2> WidestOfGroups(const std::array<size_t, kMemoryPanelLines>& groupOfLine,
                                  const std::array<int, kMemoryPanelLines>& widths,
                                  int least) {
    std::array<int, 2> widest{least, least};
    for (size_t i = 0; i < kMemoryPanelLines; ++i)
        widest[groupOfLine[i]] = std::max(widest[groupOfLine[i]], widths[i]);
    return widest;
}

int MemoryPanelBandHeight(int rowHeight) {
    return 5 * rowHeight + 6;
}
