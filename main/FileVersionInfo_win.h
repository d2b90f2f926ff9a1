#pragma once

#include <string>

// Texts from a file's version resource, read through the "Version.dll" slot of the library table,
// so a missing library only means empty texts. The path is one the system names (see
// SystemFiles_win.h).

// The selector bits the lists ask for.
constexpr unsigned kVersionFile = 0x0001;
constexpr unsigned kVersionDescription = 0x0002;
constexpr unsigned kVersionCompany = 0x0080;

// The string table field name of exactly one selector bit (0x0001 "FileVersion" to 0x0800
// "Comments"); empty for any other value.
std::string VersionFieldName(unsigned bit);

// The selected fields in bit order without separators, then, for bit 0x1000, the language name
// (after a line feed when fields came first; "Language:" and a tab in front with `withTitle`).
// Empty when the file or its version resource cannot be read.
std::string FileVersionText(const std::string& path, unsigned selector, bool withTitle);
