#include "main/database/RatedRows.h"

void MarkRatedRow(RowTable& table, size_t row, bool known) {
    if (row < table.rows.size())
        table.rows[row].textColour = known ? kRatedRowText : 0x000000;
}

bool ShowRatingInRow(RowTable& table, size_t row, const FileRating& rating) {
    if (row >= table.rows.size())
        return false;
    const uint32_t colour = table.rows[row].textColour;
    bool changed = SetCell(table, row, kRatingTextColumn, rating.text);
    changed = SetCell(table, row, kRatingDescriptionColumn, rating.description) || changed;
    MarkRatedRow(table, row, rating.known);
    return changed || colour != table.rows[row].textColour;
}
