#include "main/FileVersionInfo_win.h"

#include <windows.h>

#include <vector>

#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"

namespace {

using SizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using InfoFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
using LanguageFunction = DWORD(WINAPI*)(DWORD, LPSTR, DWORD);

}  // namespace

std::string FileVersionText(const std::string& systemPath, unsigned selector, bool withTitle) {
    SystemFileAccess access(systemPath);
    const std::string& path = access.path;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    auto sizeOf = SlotFunctionAs<SizeFunction>(kVersionSlot, "GetFileVersionInfoSizeA");
    auto infoOf = SlotFunctionAs<InfoFunction>(kVersionSlot, "GetFileVersionInfoA");
    auto query = SlotFunctionAs<QueryFunction>(kVersionSlot, "VerQueryValueA");
    auto languageName = SlotFunctionAs<LanguageFunction>(kVersionSlot, "VerLanguageNameA");
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) || sizeOf == nullptr ||
        infoOf == nullptr || query == nullptr) {
        return std::string();
    }
    DWORD handle = 0;
    DWORD size = sizeOf(path.c_str(), &handle);
    if (size < 1) {
        return std::string();
    }
    std::vector<unsigned char> block(size);
    if (!infoOf(path.c_str(), 0, size, block.data())) {
        return std::string();
    }
    std::string key;
    std::string language;
    WORD* translation = nullptr;
    UINT length = 0;
    if (query(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<LPVOID*>(&translation), &length) &&
        translation != nullptr && length >= 2 * sizeof(WORD)) {
        key = VersionTranslationKey(translation[0], translation[1]);
        char name[128] = {};
        if (languageName != nullptr && languageName(translation[0], name, sizeof(name)) > 0) {
            name[sizeof(name) - 1] = '\0';
            language = name;
        }
    }
    std::string result;
    for (unsigned i = 0; i < kVersionFieldCount; ++i) {
        if (!(selector & (1u << i)) || key.empty()) {
            continue;
        }
        std::string subBlock = "\\StringFileInfo\\" + key + "\\" + VersionFieldName(1u << i);
        char* value = nullptr;
        UINT valueLength = 0;
        if (query(block.data(), subBlock.c_str(), reinterpret_cast<LPVOID*>(&value), &valueLength) &&
            value != nullptr && valueLength > 0) {
            // The length counts characters with the terminating zero; never read past the block.
            result.append(value, strnlen(value, valueLength));
        }
    }
    if (selector & kVersionLanguage) {
        AppendVersionLanguage(result, language, withTitle);
    }
    return result;
}
