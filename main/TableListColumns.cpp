#include "main/TableListColumns.h"

bool SortRowsByListColumn(RowTable& table, const std::vector<ListColumn>& columns, int listColumn, bool ascending) {
    if (listColumn < 0 || static_cast<size_t>(listColumn) >= columns.size()) {
        return false;
    }
    const ListColumn& column = columns[listColumn];
    SortRows(table, column.tableColumn, ascending, column.compare != nullptr ? column.compare : CompareCellText);
    return true;
}

bool AscendingAfterClick(int sortColumn, bool sortAscending, int clickedColumn) {
    return sortColumn == clickedColumn ? !sortAscending : true;
}

int SortColumnAfterColumnChange(const std::vector<ListColumn>& before,
                                int sortColumn,
                                const std::vector<ListColumn>& after) {
    const bool sorted = sortColumn >= 0 && static_cast<size_t>(sortColumn) < before.size();
    const size_t sortedTableColumn = sorted ? before[sortColumn].tableColumn : 0;
    int found = -1;
    for (size_t c = 0; sorted && c < after.size(); ++c) {
        if (after[c].tableColumn == sortedTableColumn) {
            found = static_cast<int>(c);
        }
    }
    return found;
}

void SelectOnlyTableRow(RowTable& table, size_t row) {
    for (size_t i = 0; i < table.rows.size(); ++i) {
        table.rows[i].selected = i == row;
    }
}

std::string ListCellText(const RowTable& table, const std::vector<ListColumn>& columns, int row, int listColumn) {
    if (row < 0 || static_cast<size_t>(row) >= table.rows.size() || listColumn < 0 ||
        static_cast<size_t>(listColumn) >= columns.size()) {
        return std::string();
    }
    const std::vector<std::string>& cells = table.rows[row].cells;
    const size_t column = columns[listColumn].tableColumn;
    return column < cells.size() ? cells[column] : std::string();
}
