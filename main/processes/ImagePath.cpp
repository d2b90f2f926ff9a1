#include "main/processes/ImagePath.h"

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Replaces the prefix with the Windows folder and a backslash.
void ReplaceWithWindowsFolder(std::string& path, std::string_view prefix, std::string_view windowsFolder) {
    if (windowsFolder.empty() || !StartsWith(path, prefix))
        return;
    path = std::string(windowsFolder) + "\\" + path.substr(prefix.size());
}

}  // namespace

std::string NormalizeImagePathWith(std::string_view path, std::string_view windowsFolder) {
    std::string result(path);
    if (StartsWith(result, "\\??\\"))
        result.erase(0, 4);
    ReplaceWithWindowsFolder(result, "\\SystemRoot\\", windowsFolder);
    ReplaceWithWindowsFolder(result, "\\WINDOWS\\", windowsFolder);
    return result;
}
