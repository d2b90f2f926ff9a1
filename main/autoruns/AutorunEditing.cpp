#include "main/autoruns/AutorunEditing.h"

#include "foundation/Language.h"
#include "main/autoruns/AutorunLocations.h"

namespace {

std::string FileNameOf(std::string_view path) {
    size_t slash = path.find_last_of('\\');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

constexpr char kRunKeyCurrentUser[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunKeyAllUsers[] = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool EqualNoCase(std::string_view first, std::string_view second) {
    return first.size() == second.size() && StartsWithNoCase(first, second);
}

}  // namespace

LocationParts SplitLocation(std::string_view location) {
    size_t slash = location.find_last_of('\\');
    if (slash == std::string_view::npos) {
        return {std::string(), std::string(location)};
    }
    return {std::string(location.substr(0, slash + 1)), std::string(location.substr(slash + 1))};
}

std::string LocationKeyPath(std::string_view location) {
    std::string folder = SplitLocation(location).folder;
    if (!folder.empty()) {
        folder.pop_back();
    }
    return folder;
}

std::string RegistryEditorLastKey(std::string_view lastKey, std::string_view keyPath) {
    if (lastKey.empty()) {
        return std::string();
    }
    return std::string(lastKey.substr(0, lastKey.find('\\'))) + "\\" + std::string(keyPath);
}

std::string AutorunSearchName(std::string_view command) {
    if (!command.empty() && command[0] == '"') {
        command.remove_prefix(1);
    }
    command = command.substr(0, command.find('"'));
    return FileNameOf(command);
}

std::string TrimBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::string();
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string NewAutorunKey(const NewAutorunChoice& choice) {
    std::string key = choice.allUsers ? kRunKeyAllUsers : kRunKeyCurrentUser;
    return choice.runOnce ? key + "Once" : key;
}

std::string NewAutorunValueName(std::string_view program) {
    return FileNameOf(program);
}

std::string NewAutorunValueData(std::string_view program, std::string_view parameters) {
    return "\"" + std::string(program) + "\" " + std::string(parameters);
}

std::string NewAutorunLinkName(std::string_view program) {
    return FileNameOf(program) + ".lnk";
}

std::string NewAutorunWorkingFolder(std::string_view program) {
    return LocationKeyPath(program);
}

std::string NewAutorunBrowseFilter() {
    std::string filter;
    auto add = [&filter](LanguageKey name, const char* patterns) {
        filter += LanguageText(name);
        filter += '\0';
        filter += patterns;
        filter += '\0';
    };
    add(LanguageKey::Programs, "*.exe;*.bat;*.com");
    add(LanguageKey::Links, "*.lnk");
    add(LanguageKey::AllFiles, "*.*");
    return filter + '\0';
}

bool IsCommaListLocation(std::string_view keyPath, std::string_view valueName) {
    for (const AutorunLocation& location : kAutorunLocations) {
        if (location.scan == AutorunScan::CommaList && EqualNoCase(location.path, keyPath) &&
            EqualNoCase(location.valueName, valueName)) {
            return true;
        }
    }
    return false;
}

std::string CommaListWithout(std::string_view list, std::string_view item) {
    size_t start = 0;
    for (;;) {
        size_t comma = list.find(',', start);
        size_t end = comma == std::string_view::npos ? list.size() : comma;
        if (list.substr(start, end - start) == item) {
            // The item goes with the comma after it, or, as the last item, with the one before it.
            size_t from = start;
            size_t to = comma == std::string_view::npos ? end : comma + 1;
            if (comma == std::string_view::npos && start > 0) {
                from = start - 1;
            }
            return std::string(list.substr(0, from)) + std::string(list.substr(to));
        }
        if (comma == std::string_view::npos) {
            return std::string(list);
        }
        start = comma + 1;
    }
}
