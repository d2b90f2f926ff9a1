#pragma once

#include <windows.h>

#include <string>

// Texts between the system code page, in which the program keeps them, and UTF-16, which the shell
// link object and some registry calls take and give.

inline std::wstring WideFromAnsi(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

// `length` UTF-16 units from `text`; characters the code page lacks become its default character.
inline std::string AnsiFromWide(const wchar_t* text, int length) {
    if (text == nullptr || length <= 0) {
        return std::string();
    }
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return std::string();
    }
    std::string converted(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &converted[0], bytes, nullptr, nullptr);
    return converted;
}
