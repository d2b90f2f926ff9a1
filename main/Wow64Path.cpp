#include "main/Wow64Path.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares ignoring case and treating both slashes alike.
bool SamePathText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        bool bothSeparators = IsSeparator(a[i]) && IsSeparator(b[i]);
        if (!bothSeparators && LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

// The first `count` components of a relative path that starts after a separator, or the whole
// path when it has fewer.
std::string_view LeadingComponents(std::string_view rest, int count) {
    size_t end = 0;
    for (int i = 0; i < count && end < rest.size(); ++i) {
        end = rest.find_first_of("\\/", end + 1);
        if (end == std::string_view::npos)
            return rest;
    }
    return rest.substr(0, end);
}

// The parts of the system folder that a 32-bit program sees unredirected anyway.
bool IsLeftAloneByRedirection(std::string_view rest) {
    static constexpr std::string_view kSingle[] = {"\\catroot", "\\catroot2", "\\driverstore", "\\logfiles", "\\spool"};
    std::string_view first = LeadingComponents(rest, 1);
    for (std::string_view folder : kSingle) {
        if (SamePathText(first, folder))
            return true;
    }
    return SamePathText(LeadingComponents(rest, 2), "\\drivers\\etc");
}

}  // namespace

std::string SysnativePathWith(std::string_view path, std::string_view windowsFolder) {
    while (!windowsFolder.empty() && IsSeparator(windowsFolder.back()))
        windowsFolder.remove_suffix(1);
    constexpr std::string_view kSystem = "\\System32";
    size_t length = windowsFolder.size() + kSystem.size();
    if (windowsFolder.empty() || path.size() < length ||
        !SamePathText(path.substr(0, windowsFolder.size()), windowsFolder) ||
        !SamePathText(path.substr(windowsFolder.size(), kSystem.size()), kSystem))
        return std::string(path);
    std::string_view rest = path.substr(length);
    if ((!rest.empty() && !IsSeparator(rest.front())) || IsLeftAloneByRedirection(rest))
        return std::string(path);
    return std::string(windowsFolder) + "\\Sysnative" + std::string(rest);
}
