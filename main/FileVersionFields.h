#pragma once

#include <cstdint>
#include <string>

// The fields of a file's version resource that the lists ask for by selector bits. Portable.

// The selector bits the lists ask for.
constexpr unsigned kVersionFile = 0x0001;
constexpr unsigned kVersionDescription = 0x0002;
constexpr unsigned kVersionProduct = 0x0020;
constexpr unsigned kVersionCompany = 0x0080;
// Bits 0x0001 to 0x0800 select the twelve string fields; this one the language name.
constexpr unsigned kVersionFieldCount = 12;
constexpr unsigned kVersionLanguage = 0x1000;

// The string table field name of exactly one selector bit (0x0001 "FileVersion" to 0x0800
// "Comments"); empty for any other value.
std::string VersionFieldName(unsigned bit);

// The string table's key for a translation: language and code page as eight hexadecimal digits.
std::string VersionTranslationKey(uint16_t language, uint16_t codePage);

// Appends the language line to the selected fields' text: after a line feed when fields came
// first, with "Language:" and a tab in front when titled.
void AppendVersionLanguage(std::string& text, const std::string& language, bool withTitle);
