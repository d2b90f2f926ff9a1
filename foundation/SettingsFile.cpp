#include "foundation/SettingsFile.h"

#include <climits>

#include "foundation/DecimalText.h"
#include "foundation/FileSystem.h"

namespace {

std::string FolderOf(const std::string& path) {
    size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

}  // namespace

bool OpenSettingsFile(SettingsFile& file, const std::string& path) {
    std::string bytes;
    // A UTF-16 file that has lost or gained a byte cannot be written back as it was read; it is left
    // alone, like a file that cannot be read.
    if (!ReadWholeFile(path, bytes) || !FileTextIsWhole(bytes))
        return false;
    file = SettingsFile{};
    file.path = path;
    file.document = ParseIniDocument(bytes);
    file.isOpen = true;
    return true;
}

void CreateSettingsFile(SettingsFile& file, const std::string& path) {
    file = SettingsFile{};
    file.path = path;
    file.isOpen = true;
    file.changed = true;  // even an empty new file is written
}

bool OpenOrCreateSettingsFile(SettingsFile& file, const std::string& path) {
    if (path.empty())
        return false;
    if (FileExists(path))
        return OpenSettingsFile(file, path);
    std::string folder = FolderOf(path);
    if (!folder.empty() && !CreateFolderPath(folder))
        return false;
    CreateSettingsFile(file, path);
    return true;
}

void SelectGroup(SettingsFile& file, std::string_view group) {
    file.group = std::string(group);
}

std::string ReadSettingString(const SettingsFile& file, std::string_view key, std::string_view defaultValue) {
    const std::string* value = FindIniValue(file.document, file.group, key);
    return value ? *value : std::string(defaultValue);
}

int ReadSettingInteger(const SettingsFile& file, std::string_view key, int defaultValue) {
    const std::string* value = FindIniValue(file.document, file.group, key);
    if (!value)
        return defaultValue;
    long long number = ReadLeadingInteger(*value);
    if (number > INT_MAX)
        return INT_MAX;
    if (number < INT_MIN)
        return INT_MIN;
    return static_cast<int>(number);
}

void WriteSettingString(SettingsFile& file, std::string_view key, std::string_view value) {
    const std::string* old = FindIniValue(file.document, file.group, key);
    if (old && *old == value)
        return;
    SetIniValue(file.document, file.group, key, value);
    file.changed = true;
}

void WriteSettingInteger(SettingsFile& file, std::string_view key, int value) {
    WriteSettingString(file, key, std::to_string(value));
}

void RemoveSettingKey(SettingsFile& file, std::string_view key) {
    size_t before = file.document.lines.size();
    RemoveIniKey(file.document, file.group, key);
    if (file.document.lines.size() != before)
        file.changed = true;
}

void RemoveSettingGroup(SettingsFile& file, std::string_view group) {
    size_t before = file.document.lines.size();
    RemoveIniGroup(file.document, group);
    if (file.document.lines.size() != before)
        file.changed = true;
}

bool CloseSettingsFile(SettingsFile& file) {
    bool ok = true;
    if (file.isOpen && file.changed)
        ok = WriteFileAtomically(file.path, SerializeIniDocument(file.document));
    file = SettingsFile{};
    return ok;
}
