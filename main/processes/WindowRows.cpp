#include "main/processes/WindowRows.h"

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/ValueFormatting.h"

namespace {

const std::string& YesNo(bool yes) {
    return LanguageText(yes ? LanguageKey::Yes : LanguageKey::No);
}

}  // namespace

bool WindowListed(const WindowRecord& window, const WindowFilter& filter, int screenWidth, int screenHeight) {
    if (!window.visible && !filter.hidden)
        return false;
    if (window.title.empty() || window.title == kDesktopWindowTitle)
        return false;
    if ((window.width == 0 || window.height == 0) && !filter.noSize)
        return false;
    if (!filter.outside && !window.minimised) {
        // Entirely beyond an edge of the screen: not one of its pixels could be seen.
        const int right = window.left + window.width;
        const int bottom = window.top + window.height;
        if (window.left >= screenWidth || window.top >= screenHeight || right <= 0 || bottom <= 0)
            return false;
    }
    return true;
}

size_t AppendWindowRow(RowTable& table, const WindowRecord& window) {
    size_t row = AppendRow(table);
    SetCell(table, row, WindowColumnTitle, window.title.substr(0, kWindowTitleLength));
    SetCellUnsigned(table, row, WindowColumnHandle, window.handle);
    SetCell(table, row, WindowColumnProcess, FileNameOfPath(window.processPath));
    SetCellUnsigned(table, row, WindowColumnProcessId, window.processId);
    if (!window.minimised)
        SetCell(table, row, WindowColumnPosition, std::to_string(window.left) + ", " + std::to_string(window.top));
    SetCell(table, row, WindowColumnSize, std::to_string(window.width) + " x " + std::to_string(window.height));
    SetCell(table, row, WindowColumnDeactivated, YesNo(!window.enabled));
    SetCell(table, row, WindowColumnHidden, YesNo(!window.visible));
    if (window.minimised)
        SetCell(table, row, WindowColumnStatus, LanguageText(LanguageKey::Minimized));
    else if (window.maximised)
        SetCell(table, row, WindowColumnStatus, LanguageText(LanguageKey::Maximized));
    SetCell(table, row, WindowColumnForeground, YesNo(window.topmost));
    TableRow& cells = table.rows[row];
    if (!window.visible)
        cells.textColour = kInvisibleWindowText;
    if (window.topmost)
        cells.backgroundColour = kTopmostWindowBackground;
    cells.image = window.image;
    return row;
}

int TransparencyAlpha(int percent) {
    // In hundredths, so that the halves are exact and go to the even neighbour.
    const int hundredths = 25500 - 255 * percent;
    int alpha = hundredths / 100;
    const int remainder = hundredths % 100;
    if (remainder > 50 || (remainder == 50 && alpha % 2 == 1))
        ++alpha;
    return Clamp(alpha, 0, 255);
}

WindowPlacement RepairedPlacement(int screenWidth, int screenHeight) {
    return {screenWidth / 4, screenHeight / 4, screenWidth / 2, screenHeight / 2};
}
