#include "main/autoruns/Registry_win.h"

#include <algorithm>
#include <cwctype>

#include "foundation/ScopedHandles_win.h"
#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"

namespace {

// Reading values and their names, listing subkeys, and writing or deleting values: the rights each
// operation asks for, and no more.
constexpr REGSAM kQueryRights = KEY_QUERY_VALUE;
constexpr REGSAM kListRights = KEY_ENUMERATE_SUB_KEYS;
constexpr REGSAM kWriteRights = KEY_SET_VALUE;

using RegDeleteKeyExFunction = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
using NtQueryKeyFunction = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
constexpr int kKeyNameInformation = 3;

// Enumerates names by index with a buffer grown to whatever the longest name needs. `enumerate`
// is RegEnumValueA or RegEnumKeyExA with the unused arguments filled in.
template <typename Enumerate>
std::vector<std::string> EnumerateNames(HKEY key, DWORD longest, Enumerate enumerate) {
    std::vector<std::string> names;
    std::vector<char> buffer(static_cast<size_t>(longest) + 2);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LONG result = enumerate(key, index, buffer.data(), &length);
        if (result == ERROR_MORE_DATA) {
            buffer.resize(buffer.size() * 2);  // the key changed under us; try the index again
            continue;
        }
        if (result != ERROR_SUCCESS) {
            return names;
        }
        if (length > 0) {
            names.emplace_back(buffer.data(), length);
        }
        ++index;
    }
}

bool OpenPath(const std::string& path, REGSAM rights, RegistryView view, ScopedRegistryKey& opened) {
    HKEY root = RootKeyOfPath(path);
    if (root == nullptr) {
        return false;
    }
    return RegOpenKeyExA(root, SubKeyOfPath(path).c_str(), 0, rights | RegistryViewAccessFlag(view),
                         opened.receive()) == ERROR_SUCCESS;
}

}  // namespace

HKEY RootKeyOfPath(const std::string& path) {
    switch (RegistryRootOfPath(path)) {
        case RegistryRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegistryRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegistryRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegistryRoot::Users:
            return HKEY_USERS;
        case RegistryRoot::CurrentConfig:
            return HKEY_CURRENT_CONFIG;
        case RegistryRoot::None:
            break;
    }
    return nullptr;
}

bool HasSecondRegistryView() {
#ifdef _WIN64
    return true;
#else
    return RunsUnderWow64();
#endif
}

std::string ReadRegistryValue(const std::string& path, const std::string& valueName, RegistryView view) {
    ScopedRegistryKey opened;
    if (!OpenPath(path, kQueryRights, view, opened)) {
        return std::string();
    }
    // Every value is read through the one text buffer; what does not fit reads as empty text.
    BYTE buffer[kRegistryTextBufferLength];
    DWORD type = 0;
    DWORD length = sizeof(buffer);
    if (RegQueryValueExA(opened.get(), valueName.c_str(), nullptr, &type, buffer, &length) != ERROR_SUCCESS ||
        length > sizeof(buffer)) {
        return std::string();
    }
    return RegistryValueText(type, buffer, length);
}

int WriteRegistryValue(const std::string& path,
                       const std::string& valueName,
                       const std::string& valueText,
                       unsigned long type,
                       RegistryView view) {
    ScopedRegistryKey opened;
    if (!OpenPath(path, kWriteRights, view, opened)) {
        return 0;
    }
    auto data = RegistryValueData(type, valueText);
    return data && RegSetValueExA(opened.get(), valueName.c_str(), 0, type, data->data(),
                                  static_cast<DWORD>(data->size())) == ERROR_SUCCESS
               ? 1
               : 0;
}

int DeleteRegistryValue(const std::string& path, const std::string& valueName, RegistryView view) {
    ScopedRegistryKey opened;
    if (!OpenPath(path, kWriteRights, view, opened)) {
        return 0;
    }
    return RegDeleteValueA(opened.get(), valueName.c_str()) == ERROR_SUCCESS ? 1 : 0;
}

int CreateRegistryKey(const std::string& path, RegistryView view) {
    HKEY root = RootKeyOfPath(path);
    ScopedRegistryKey created;
    return root != nullptr && RegCreateKeyExA(root, SubKeyOfPath(path).c_str(), 0, nullptr, 0,
                                              kWriteRights | RegistryViewAccessFlag(view), nullptr, created.receive(),
                                              nullptr) == ERROR_SUCCESS
               ? 1
               : 0;
}

int DeleteRegistryKey(const std::string& path, RegistryView view) {
    HKEY root = RootKeyOfPath(path);
    std::string subKey = SubKeyOfPath(path);
    if (root == nullptr || subKey.empty()) {
        return 0;
    }
    // RegDeleteKeyA deletes in the view of the running build; only the Ex form takes a view. Systems
    // without it (32-bit XP) have one view only.
    auto deleteInView = SlotFunctionAs<RegDeleteKeyExFunction>(kAdvapi32Slot, "RegDeleteKeyExA");
    LONG result = deleteInView != nullptr ? deleteInView(root, subKey.c_str(), RegistryViewAccessFlag(view), 0)
                                          : RegDeleteKeyA(root, subKey.c_str());
    return result == ERROR_SUCCESS ? 1 : 0;
}

std::string RegistrySubKeyName(const std::string& path, unsigned long index, RegistryView view) {
    ScopedRegistryKey opened;
    if (!OpenPath(path, kListRights, view, opened)) {
        return std::string();
    }
    char name[kRegistryTextBufferLength];
    DWORD length = sizeof(name);
    if (RegEnumKeyExA(opened.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        length >= sizeof(name)) {
        return std::string();
    }
    return std::string(name, length);
}

std::string RegistryValueName(const std::string& path, unsigned long index, RegistryView view) {
    ScopedRegistryKey opened;
    if (!OpenPath(path, kQueryRights, view, opened)) {
        return std::string();
    }
    char name[kRegistryTextBufferLength];
    DWORD length = sizeof(name);
    if (RegEnumValueA(opened.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        length >= sizeof(name)) {
        return std::string();
    }
    return std::string(name, length);
}

int RegistryKeyExists(const std::string& path, RegistryView view) {
    ScopedRegistryKey opened;
    return OpenPath(path, kQueryRights, view, opened) ? 1 : 0;
}

int RegistryValueExists(const std::string& path, const std::string& valueName, RegistryView view) {
    ScopedRegistryKey opened;
    if (!OpenPath(path, kQueryRights, view, opened)) {
        return 0;
    }
    return RegQueryValueExA(opened.get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS ? 1
                                                                                                                  : 0;
}

std::vector<std::string> RegistryValueNames(const std::string& path, RegistryView view) {
    ScopedRegistryKey opened;
    DWORD longest = 0;
    if (!OpenPath(path, kQueryRights, view, opened) ||
        RegQueryInfoKeyA(opened.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return EnumerateNames(opened.get(), longest, [](HKEY key, DWORD index, char* name, DWORD* length) {
        return RegEnumValueA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> RegistrySubKeyNames(const std::string& path, RegistryView view) {
    ScopedRegistryKey opened;
    DWORD longest = 0;
    if (!OpenPath(path, kListRights, view, opened) ||
        RegQueryInfoKeyA(opened.get(), nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return EnumerateNames(opened.get(), longest, [](HKEY key, DWORD index, char* name, DWORD* length) {
        return RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::string ReadRegistryText(const std::string& path, const std::string& valueName, RegistryView view) {
    ScopedRegistryKey opened;
    if (!OpenPath(path, kQueryRights, view, opened)) {
        return std::string();
    }
    std::vector<BYTE> data(kRegistryTextBufferLength);
    for (;;) {
        DWORD type = 0;
        DWORD length = static_cast<DWORD>(data.size());
        LONG result = RegQueryValueExA(opened.get(), valueName.c_str(), nullptr, &type, data.data(), &length);
        if (result == ERROR_MORE_DATA && length > data.size()) {
            data.resize(length);
            continue;
        }
        return result == ERROR_SUCCESS ? RegistryValueText(type, data.data(), length) : std::string();
    }
}

std::string RegistryKeyIdentity(const std::string& path, RegistryView view) {
    auto queryKey = SlotFunctionAs<NtQueryKeyFunction>(kNtdllSlot, "NtQueryKey");
    ScopedRegistryKey opened;
    if (queryKey == nullptr || !OpenPath(path, kQueryRights, view, opened)) {
        return std::string();
    }
    // KEY_NAME_INFORMATION: the name's length in bytes, then the name in UTF-16.
    std::vector<ULONG> buffer(1024);
    ULONG returned = 0;
    if (queryKey(opened.get(), kKeyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size() * sizeof(ULONG)),
                 &returned) != 0) {
        return std::string();
    }
    const wchar_t* name = reinterpret_cast<const wchar_t*>(buffer.data() + 1);
    size_t characters = std::min<size_t>(buffer[0] / sizeof(wchar_t), (buffer.size() - 1) * sizeof(ULONG) / 2);
    std::string identity;
    for (size_t i = 0; i < characters; ++i) {
        identity += static_cast<char>(name[i] < 128 ? towupper(name[i]) : '?');
    }
    return identity;
}
