#include "foundation/CodePage_win.h"

#include <windows.h>

#include <climits>

#include "foundation/CodePage.h"

namespace {

std::u16string SystemCodePageToUnicode(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX)
        return std::u16string();
    int size = static_cast<int>(text.size());
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        return std::u16string();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], length);
    return std::u16string(wide.begin(), wide.end());
}

std::string UnicodeToSystemCodePage(std::u16string_view text) {
    if (text.empty() || text.size() > INT_MAX)
        return std::string();
    std::wstring wide(text.begin(), text.end());
    int size = static_cast<int>(wide.size());
    // No best fit: a look-alike ("L" for "Ł") could name another file or key; the default character cannot.
    // A code page that refuses the flag (UTF-8 as the system code page) has no characters to fit anyway.
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    int length = WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        flags = 0;
        length = WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    }
    if (length <= 0)
        return std::string();
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), size, &bytes[0], length, nullptr, nullptr);
    return bytes;
}

}  // namespace

void UseSystemCodePage() {
    SetCodePageFunctions({SystemCodePageToUnicode, UnicodeToSystemCodePage});
}
