#pragma once
// How the search window matches a list's rows: the search text is split at every blank into
// lower-case words (two blanks in a row give an empty word, which matches any cell); a word in
// double quotes must equal a whole cell, any other word may occur anywhere in one. Cells are
// compared trimmed of blanks and in lower case.

#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> SearchWords(std::string_view text);

bool WordMatchesCell(const std::string& word, std::string_view cell);

// The first column, left to right, whose cell any word matches; -1 when none does.
int FirstMatchingColumn(const std::vector<std::string>& cells, const std::vector<std::string>& words);
