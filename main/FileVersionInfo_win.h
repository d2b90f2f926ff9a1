#pragma once

#include <string>

#include "main/FileVersionFields.h"

// Texts from a file's version resource, read through the "Version.dll" slot of the library table,
// so a missing library only means empty texts. The path is one the system names (see
// SystemFiles_win.h).

// The selected fields in bit order without separators, then, for bit 0x1000, the language name
// (after a line feed when fields came first; "Language:" and a tab in front with `withTitle`).
// Empty when the file or its version resource cannot be read.
std::string FileVersionText(const std::string& path, unsigned selector, bool withTitle);
