#include "main/autoruns/IndirectText_win.h"

#include <vector>

#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/autoruns/CodePageText_win.h"
#include "main/autoruns/RegistryPath.h"

namespace {

// Vista and later. Its ANSI form answers ERROR_CALL_NOT_IMPLEMENTED on every system, so the wide
// form is asked and its answer converted.
using RegLoadMUIStringWFunction = LONG(WINAPI*)(HKEY, LPCWSTR, LPWSTR, DWORD, LPDWORD, DWORD, LPCWSTR);

// Enough for every description seen; a longer text is asked for again at the size the system names.
constexpr std::size_t kFirstTextLength = 512;

std::string ExpandedText(const std::string& text) {
    DWORD length = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (length == 0) {
        return text;
    }
    std::vector<char> expanded(length + 1);
    if (ExpandEnvironmentStringsA(text.c_str(), expanded.data(), length + 1) == 0) {
        return text;
    }
    return std::string(expanded.data());
}

std::string LoadWithTheSystem(HKEY key, const std::string& valueName) {
    auto load = SlotFunctionAs<RegLoadMUIStringWFunction>(kAdvapi32Slot, "RegLoadMUIStringW");
    if (load == nullptr) {
        return std::string();
    }
    std::wstring name = WideFromAnsi(valueName);
    std::vector<wchar_t> buffer(kFirstTextLength);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD capacity = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        DWORD bytes = 0;
        LONG result = load(key, name.c_str(), buffer.data(), capacity, &bytes, 0, nullptr);
        if (result == ERROR_SUCCESS) {
            std::size_t length = 0;
            while (length < buffer.size() && length * sizeof(wchar_t) < bytes && buffer[length] != L'\0') {
                ++length;
            }
            return AnsiFromWide(buffer.data(), static_cast<int>(length));
        }
        if (result != ERROR_MORE_DATA || bytes <= capacity) {
            return std::string();
        }
        buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    }
    return std::string();
}

// The system's loader looks for a file named in the system folder where this process is sent, which
// under WoW64 is the 32-bit folder, and the libraries of 64-bit services are missing there. The
// native file is read here instead, as the system reads it: as a data file, its string by number.
std::string LoadFromTheNativeFile(const IndirectTextReference& reference) {
    std::string file = ExpandedText(reference.file);
    SystemFileAccess native(file);
    if (native.path == file && !native.redirectionOff) {
        return std::string();  // the system's loader has tried this very file
    }
    HMODULE module = LoadLibraryExA(native.path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return std::string();
    }
    // A buffer length of 0 asks for a pointer to the string inside the loaded resource.
    const wchar_t* resource = nullptr;
    int length = LoadStringW(module, reference.id, reinterpret_cast<LPWSTR>(&resource), 0);
    std::string text = AnsiFromWide(resource, length);
    FreeLibrary(module);
    return text;
}

}  // namespace

std::string LoadIndirectRegistryText(HKEY key, const std::string& valueName, const std::string& text) {
    std::optional<IndirectTextReference> reference = ParseIndirectText(text);
    if (!reference) {
        return std::string();
    }
    std::string loaded = LoadWithTheSystem(key, valueName);
    return loaded.empty() ? LoadFromTheNativeFile(*reference) : loaded;
}
