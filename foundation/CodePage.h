#pragma once

#include <string>
#include <string_view>

// The programs work in the system code page, as the "A" functions of Windows do. Its mapping to
// Unicode goes through this pair of function pointers: each program's start-up installs the
// system's own; until then, and in the native build, it is Windows-1252.

struct CodePageFunctions {
    // Takes any bytes; every byte sequence gives some text.
    std::u16string (*toUnicode)(std::string_view text);
    // A character the code page lacks becomes a substitute ("?"), never a look-alike.
    std::string (*fromUnicode)(std::u16string_view text);
};

// Returns the functions installed before.
CodePageFunctions SetCodePageFunctions(CodePageFunctions functions);

std::string CodePageToUtf8(std::string_view text);
std::string Utf8ToCodePage(std::string_view utf8);
