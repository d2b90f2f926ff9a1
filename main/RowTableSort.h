#pragma once
// Sorting the rows of a table by one column, as a click on the column's header does.

#include <cstddef>
#include <string_view>

#include "main/RowTable.h"

// Compares two cell texts: negative, zero or positive.
using CellCompare = int (*)(std::string_view first, std::string_view second);

// Text without regard to letter case (the way the lists have always sorted text).
int CompareCellText(std::string_view first, std::string_view second);
// By the value of the leading number, thousands separators and decimal separator understood, so
// "1.234" (grouped) sorts above "987" and "-" or an empty cell sorts as 0.
int CompareCellNumber(std::string_view first, std::string_view second);

// By the length of a duration that FormatDuration wrote ("2 Minutes, 35 Seconds" after "17 Seconds").
int CompareCellDuration(std::string_view first, std::string_view second);

// Stable: rows with equal cells keep their order, so a second sort by another column refines the
// first. Each row moves with all its cells and state.
void SortRows(RowTable& table, size_t column, bool ascending, CellCompare compare);
