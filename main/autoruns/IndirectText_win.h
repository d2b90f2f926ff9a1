#pragma once

#include <windows.h>

#include <string>

// Indirect texts such as "@%SystemRoot%\system32\x.dll,-101", with which every built-in service of
// Vista and later describes itself: the string they stand for, in the system code page.

// The string that `text`, the data of the value `valueName` of the open key, stands for; empty when
// it is no indirect text or cannot be resolved, so that the caller shows it as it is.
std::string LoadIndirectRegistryText(HKEY key, const std::string& valueName, const std::string& text);
