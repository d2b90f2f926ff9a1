#pragma once
// How the lists show a file's rating: the rating text and the description in columns 1 and 2, and
// rated files in green.

#include <cstddef>
#include <cstdint>
#include <string>

#include "main/RowTable.h"

constexpr size_t kRatingTextColumn = 1;
constexpr size_t kRatingDescriptionColumn = 2;
constexpr uint32_t kRatedRowText = 0x008000;  // RGB(0,128,0)

struct FileRating {
    std::string text;
    std::string description;
    bool known = false;
};

// Green text when the rating is known, black otherwise.
void MarkRatedRow(RowTable& table, size_t row, bool known);
// Columns 1 and 2 and the colour of a row from the rating; true when anything changed.
bool ShowRatingInRow(RowTable& table, size_t row, const FileRating& rating);
