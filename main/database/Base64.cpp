#include "main/database/Base64.h"

#include <algorithm>
#include <cstdint>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t count = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = static_cast<uint8_t>(bytes[i]) << 16;
        if (count > 1) {
            group |= static_cast<uint8_t>(bytes[i + 1]) << 8;
        }
        if (count > 2) {
            group |= static_cast<uint8_t>(bytes[i + 2]);
        }
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        text += count > 1 ? kAlphabet[(group >> 6) & 63] : '=';
        text += count > 2 ? kAlphabet[group & 63] : '=';
    }
    return text;
}

bool DecodeBase64(std::string_view text, std::string& bytes) {
    if (text.size() % 4 != 0) {
        return false;
    }
    std::string decoded;
    decoded.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        int padding = 0;
        uint32_t group = 0;
        for (size_t j = 0; j < 4; ++j) {
            const char c = text[i + j];
            int sextet = 0;
            if (c == '=' && last && j >= 2) {
                ++padding;
            } else if (padding > 0 || (sextet = SextetOf(c)) < 0) {
                return false;  // a character outside the alphabet, or data after padding
            }
            group = (group << 6) | static_cast<uint32_t>(sextet);
        }
        decoded += static_cast<char>((group >> 16) & 0xFF);
        if (padding < 2) {
            decoded += static_cast<char>((group >> 8) & 0xFF);
        }
        if (padding < 1) {
            decoded += static_cast<char>(group & 0xFF);
        }
    }
    bytes = std::move(decoded);
    return true;
}

std::string EncodeRatingProp(std::string_view bytes) {
    std::string text = EncodeBase64(bytes);
    std::replace(text.begin(), text.end(), '=', '~');
    return text;
}

bool DecodeRatingProp(std::string_view text, std::string& bytes) {
    std::string padded(text);
    std::replace(padded.begin(), padded.end(), '~', '=');
    return DecodeBase64(padded, bytes);
}
