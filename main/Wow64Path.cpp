#include "main/Wow64Path.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kNativeAlias = "Sysnative";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

std::string SysnativePath(std::string_view path, std::string_view systemFolder) {
    std::size_t parentEnd = systemFolder.rfind('\\');
    if (systemFolder.empty() || parentEnd == std::string_view::npos || !StartsWithIgnoringCase(path, systemFolder)) {
        return std::string(path);
    }
    std::string_view rest = path.substr(systemFolder.size());
    if (!rest.empty() && rest[0] != '\\') {
        return std::string(path);  // "System32x" is another folder
    }
    // Every subfolder goes through the alias, the few the system leaves unredirected too: the alias
    // reaches the same native folder for them.
    std::string native(systemFolder.substr(0, parentEnd + 1));
    native += kNativeAlias;
    native += rest;
    return native;
}
