#include "main/export/SearchWords.h"

#include <cctype>

namespace {

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::string_view TrimmedOfBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<std::string> SearchWords(std::string_view text) {
    std::vector<std::string> words;
    size_t start = 0;
    for (size_t blank = text.find(' '); blank != std::string_view::npos; blank = text.find(' ', start)) {
        words.push_back(LowerCase(text.substr(start, blank - start)));
        start = blank + 1;
    }
    words.push_back(LowerCase(text.substr(start)));
    return words;
}

bool WordMatchesCell(const std::string& word, std::string_view cell) {
    const std::string lowerCell = LowerCase(TrimmedOfBlanks(cell));
    if (word.size() >= 2 && word.front() == '"' && word.back() == '"') {
        return lowerCell == std::string_view(word).substr(1, word.size() - 2);
    }
    return lowerCell.find(word) != std::string::npos;
}

int FirstMatchingColumn(const std::vector<std::string>& cells, const std::vector<std::string>& words) {
    for (size_t column = 0; column < cells.size(); ++column) {
        for (const std::string& word : words) {
            if (WordMatchesCell(word, cells[column])) {
                return static_cast<int>(column);
            }
        }
    }
    return -1;
}
