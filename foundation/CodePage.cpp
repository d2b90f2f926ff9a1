#include "foundation/CodePage.h"

#include "foundation/UnicodeText.h"

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F. The five bytes it leaves undefined map to
// the control characters of the same number, as Windows maps them, so every byte has a character.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::u16string Windows1252ToUnicode(std::string_view text) {
    std::u16string unicode;
    unicode.reserve(text.size());
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        unicode += (byte >= 0x80 && byte < 0xA0) ? kWindows1252High[byte - 0x80] : static_cast<char16_t>(byte);
    }
    return unicode;
}

char Windows1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string UnicodeToWindows1252(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t c : text)
        bytes += Windows1252Byte(c);
    return bytes;
}

CodePageFunctions g_codePage{Windows1252ToUnicode, UnicodeToWindows1252};

}  // namespace

CodePageFunctions SetCodePageFunctions(CodePageFunctions functions) {
    CodePageFunctions previous = g_codePage;
    g_codePage = functions;
    return previous;
}

std::string CodePageToUtf8(std::string_view text) {
    return Utf16ToUtf8(g_codePage.toUnicode(text));
}

std::string Utf8ToCodePage(std::string_view utf8) {
    return g_codePage.fromUnicode(Utf8ToUtf16(utf8));
}
