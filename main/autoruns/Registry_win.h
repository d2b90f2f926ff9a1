#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "main/autoruns/RegistryPath.h"

// One registry operation per call on a key named by a path (see RegistryPath.h): open, act, close.
// Each operation asks for just the rights it needs, so a key the user may only read reads all the
// same. Keys open in the view named, by default the 32-bit one in which the 32-bit program sees them.
// Failure gives empty text or 0 and is never shown to the user.

// The predefined key of the path's root name, or 0.
HKEY RootKeyOfPath(const std::string& path);
// Whether HKEY_LOCAL_MACHINE\Software has a second view (64-bit Windows), so that lists of its keys
// look into both.
bool HasSecondRegistryView();

// The value as text (see RegistryPath.h for the forms); empty on failure, "0" for a REG_DWORD
// that cannot be read. An empty value name reads the key's default value.
std::string ReadRegistryValue(const std::string& path,
                              const std::string& valueName,
                              RegistryView view = RegistryView::Bits32);
// Writes into an existing key; keys are never created here. 1 when written, else 0.
int WriteRegistryValue(const std::string& path,
                       const std::string& valueName,
                       const std::string& valueText,
                       unsigned long type,
                       RegistryView view = RegistryView::Bits32);
int DeleteRegistryValue(const std::string& path,
                        const std::string& valueName,
                        RegistryView view = RegistryView::Bits32);
// Creates the key (and missing parents) unless it exists; 1 when it exists afterwards.
int CreateRegistryKey(const std::string& path, RegistryView view = RegistryView::Bits32);
// Deletes the key only when it has no subkeys; nothing is deleted recursively.
int DeleteRegistryKey(const std::string& path, RegistryView view = RegistryView::Bits32);
// Names by index from 0; empty past the end, for names too long for the text buffer, and for the
// default value (whose name is empty), which therefore ends an enumeration.
std::string RegistrySubKeyName(const std::string& path, unsigned long index, RegistryView view = RegistryView::Bits32);
std::string RegistryValueName(const std::string& path, unsigned long index, RegistryView view = RegistryView::Bits32);
int RegistryKeyExists(const std::string& path, RegistryView view = RegistryView::Bits32);
int RegistryValueExists(const std::string& path,
                        const std::string& valueName,
                        RegistryView view = RegistryView::Bits32);

// For lists that must show everything there is: names and data of any length, and every named value
// (the default value, whose name is empty, is passed over rather than ending the list). Empty when
// the key cannot be read.
std::vector<std::string> RegistryValueNames(const std::string& path, RegistryView view = RegistryView::Bits32);
std::vector<std::string> RegistrySubKeyNames(const std::string& path, RegistryView view = RegistryView::Bits32);
std::string ReadRegistryText(const std::string& path,
                             const std::string& valueName,
                             RegistryView view = RegistryView::Bits32);
// The name the system knows the key by in that view ("\REGISTRY\MACHINE\SOFTWARE\..."): keys that
// both views share give the same name in each. Empty when the key cannot be opened or asked.
std::string RegistryKeyIdentity(const std::string& path, RegistryView view);
