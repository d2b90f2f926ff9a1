#pragma once

#include <windows.h>

#include <string>

#include "main/autoruns/RegistryPath.h"

// One registry operation per call on a key named by a path (see RegistryPath.h): open, act, close.
// Keys open with full access in the 32-bit view, as the 32-bit program sees them, so a key the user
// may only read counts as missing. Failure gives empty text or 0 and is never shown to the user.

constexpr REGSAM kRegistryAccess = KEY_ALL_ACCESS | KEY_WOW64_32KEY;

// The predefined key of the path's root name, or 0.
HKEY RootKeyOfPath(const std::string& path);

// The value as text (see RegistryPath.h for the forms); empty on failure, "0" for a REG_DWORD
// that cannot be read. An empty value name reads the key's default value.
std::string ReadRegistryValue(const std::string& path, const std::string& valueName);
// Writes into an existing key; keys are never created here. 1 when written, else 0.
int WriteRegistryValue(const std::string& path,
                       const std::string& valueName,
                       const std::string& valueText,
                       unsigned long type);
int DeleteRegistryValue(const std::string& path, const std::string& valueName);
// Deletes the key only when it has no subkeys; nothing is deleted recursively.
int DeleteRegistryKey(const std::string& path);
// Names by index from 0; empty past the end, for names too long for the text buffer, and for the
// default value (whose name is empty), which therefore ends an enumeration.
std::string RegistrySubKeyName(const std::string& path, unsigned long index);
std::string RegistryValueName(const std::string& path, unsigned long index);
int RegistryKeyExists(const std::string& path);
int RegistryValueExists(const std::string& path, const std::string& valueName);
