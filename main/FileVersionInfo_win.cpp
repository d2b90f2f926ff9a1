#include "main/FileVersionInfo_win.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"

namespace {

const char* const kFieldNames[12] = {"FileVersion",      "FileDescription", "LegalCopyright", "InternalName",
                                     "OriginalFilename", "ProductName",     "ProductVersion", "CompanyName",
                                     "LegalTrademarks",  "SpecialBuild",    "PrivateBuild",   "Comments"};
constexpr unsigned kLanguageBit = 0x1000;

using SizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using InfoFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
using LanguageFunction = DWORD(WINAPI*)(DWORD, LPSTR, DWORD);

}  // namespace

std::string VersionFieldName(unsigned bit) {
    for (unsigned i = 0; i < 12; ++i) {
        if (bit == (1u << i)) {
            return kFieldNames[i];
        }
    }
    return std::string();
}

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
        char text[16];
        std::snprintf(text, sizeof(text), "%04X%04X", translation[0], translation[1]);
        key = text;
        char name[128] = {};
        if (languageName != nullptr && languageName(translation[0], name, sizeof(name)) > 0) {
            name[sizeof(name) - 1] = '\0';
            language = name;
        }
    }
    std::string result;
    for (unsigned i = 0; i < 12; ++i) {
        if (!(selector & (1u << i)) || key.empty()) {
            continue;
        }
        std::string subBlock = "\\StringFileInfo\\" + key + "\\" + kFieldNames[i];
        char* value = nullptr;
        UINT valueLength = 0;
        if (query(block.data(), subBlock.c_str(), reinterpret_cast<LPVOID*>(&value), &valueLength) &&
            value != nullptr && valueLength > 0) {
            // The length counts characters with the terminating zero; never read past the block.
            result.append(value, strnlen(value, valueLength));
        }
    }
    if (selector & kLanguageBit) {
        if (!result.empty()) {
            result += '\n';
        }
        result += withTitle ? "Language:\t" + language : language;
    }
    return result;
}
