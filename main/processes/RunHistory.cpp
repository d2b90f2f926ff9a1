#include "main/processes/RunHistory.h"

#include <algorithm>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"

namespace {

std::string_view Trimmed(std::string_view text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace

RunCommand SplitRunCommand(std::string_view command) {
    command = Trimmed(command);
    RunCommand result;
    if (command.empty() || command.front() != '"') {
        result.program = std::string(command);
        return result;
    }
    size_t closing = command.find('"', 1);
    if (closing == std::string_view::npos) {
        // An unclosed quote still names a program: everything after the opening quote.
        result.program = std::string(Trimmed(command.substr(1)));
        return result;
    }
    result.program = std::string(command.substr(1, closing - 1));
    result.arguments = std::string(Trimmed(command.substr(closing + 1)));
    return result;
}

std::vector<RunCommand> RunCommandReadings(std::string_view command) {
    std::vector<RunCommand> readings{SplitRunCommand(command)};
    command = Trimmed(command);
    if (command.empty() || command.front() == '"')
        return readings;
    for (size_t blank = command.find(' '); blank != std::string_view::npos; blank = command.find(' ', blank + 1)) {
        std::string_view program = Trimmed(command.substr(0, blank));
        std::string_view arguments = Trimmed(command.substr(blank + 1));
        // Runs of blanks give one reading, not one per blank.
        if (arguments.empty() || program == readings.back().program)
            continue;
        readings.push_back({std::string(program), std::string(arguments)});
    }
    return readings;
}

std::string ProgramFolder(std::string_view program) {
    size_t separator = program.find_last_of("\\/");
    return separator == std::string_view::npos ? std::string() : std::string(program.substr(0, separator + 1));
}

std::string JoinArguments(std::string_view first, std::string_view second) {
    first = Trimmed(first);
    second = Trimmed(second);
    if (first.empty())
        return std::string(second);
    if (second.empty())
        return std::string(first);
    return std::string(first) + " " + std::string(second);
}

std::string QuotedWhenSpaced(std::string_view path) {
    if (path.find(' ') == std::string_view::npos || (!path.empty() && path.front() == '"'))
        return std::string(path);
    return "\"" + std::string(path) + "\"";
}

bool AddToRunHistory(std::vector<std::string>& history, std::string_view command) {
    command = Trimmed(command);
    if (command.empty())
        return false;
    for (const std::string& known : history) {
        if (EqualIgnoringCase(known, command))
            return false;
    }
    history.emplace_back(command);
    return true;
}

std::vector<std::string>& RunCommandHistory() {
    static std::vector<std::string> history;
    return history;
}

std::vector<RunCommand> StartableReadings(std::string_view command) {
    std::vector<RunCommand> readings = RunCommandReadings(command);
    std::vector<RunCommand> startable;
    for (size_t i = 0; i < readings.size(); ++i) {
        if (i == 0 || !IsFolder(readings[i].program))
            startable.push_back(readings[i]);
    }
    return startable;
}

std::string RunWorkingFolder(std::string_view program) {
    std::string folder = ProgramFolder(program);
    return folder.empty() || !IsFolder(folder) ? std::string() : folder;
}

std::string RunBrowseFilter() {
    const std::string end(1, '\0');
    return LanguageText(LanguageKey::ApplicationFiles) + end + "*.exe;*.com;*.bat;*.cmd" + end +
           LanguageText(LanguageKey::AllFiles) + end + "*.*" + end + end;
}
