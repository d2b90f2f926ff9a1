#include "main/autoruns/Link.h"

#include <algorithm>

std::string ShortcutTargetFolder(const std::string& targetPath) {
    std::size_t separator = targetPath.find_last_of("\\/");
    if (separator == std::string::npos) {
        return std::string();
    }
    return targetPath.substr(0, separator + 1);
}

std::string ShortcutWorkingDirectory(const std::string& targetPath, const std::string& workingDirectory) {
    return workingDirectory.empty() ? ShortcutTargetFolder(targetPath) : workingDirectory;
}

std::string ShortcutIconPath(const std::string& targetPath, const std::string& iconPath) {
    return iconPath == kShortcutIconIsTarget ? targetPath : iconPath;
}

ShortcutRecord AutostartShortcutRecord(const std::string& programFolder) {
    ShortcutRecord record;
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    record.targetPath = folder + kAutostartTarget;
    record.arguments = kAutostartArguments;
    record.workingDirectory = ShortcutWorkingDirectory(record.targetPath, std::string());
    record.showCommand = kShowNormal;
    record.description = kAutostartDescription;
    record.iconPath = record.targetPath;
    record.iconIndex = 0;
    return record;
}

int ShortcutHotkeyWord(const ShortcutRecord& record) {
    return (record.hotkeyKey & 0xFF) | ((record.hotkeyModifiers & 0xFF) << 8);
}

void SetShortcutHotkey(ShortcutRecord& record, int hotkeyWord) {
    record.hotkeyKey = hotkeyWord & 0xFF;
    record.hotkeyModifiers = (hotkeyWord >> 8) & 0xFF;
}

std::string TakeShortcutBufferText(std::vector<char>& buffer) {
    if (buffer.empty()) {
        return std::string();
    }
    buffer.back() = '\0';
    std::string text(buffer.data());
    std::fill(buffer.begin(), buffer.end(), '\0');
    return text;
}
