#include "foundation/UnicodeText.h"

#include <cstddef>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr char16_t kReplacementCharacter = 0xFFFD;

std::string_view MarkOf(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return kUtf8Mark;
        case TextEncoding::Utf16LittleEndian:
            return kUtf16LittleEndianMark;
        case TextEncoding::Utf16BigEndian:
            return kUtf16BigEndianMark;
        case TextEncoding::CodePage:
            break;
    }
    return {};
}

bool IsUtf16(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16LittleEndian || encoding == TextEncoding::Utf16BigEndian;
}

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// Decodes the sequence at text[at], advancing at; an invalid one gives U+FFFD and skips one byte.
char32_t NextCodePoint(std::string_view text, size_t& at) {
    unsigned char lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    size_t length = 0;
    char32_t c = 0;
    char32_t smallest = 0;  // below this the sequence is overlong
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 1, c = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 2, c = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 3, c = lead & 0x07, smallest = 0x10000;
    } else {
        return kReplacementCharacter;
    }
    if (text.size() - at < length)
        return kReplacementCharacter;
    for (size_t i = 0; i < length; ++i) {
        unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return kReplacementCharacter;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF)
        return kReplacementCharacter;
    at += length;
    return c;
}

}  // namespace

TextEncoding EncodingOfFile(std::string_view bytes) {
    for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf16LittleEndian, TextEncoding::Utf16BigEndian}) {
        std::string_view mark = MarkOf(encoding);
        if (bytes.substr(0, mark.size()) == mark)
            return encoding;
    }
    return TextEncoding::CodePage;
}

std::string TextOfFile(std::string_view bytes) {
    TextEncoding encoding = EncodingOfFile(bytes);
    bytes.remove_prefix(MarkOf(encoding).size());
    if (!IsUtf16(encoding))
        return std::string(bytes);
    int high = encoding == TextEncoding::Utf16BigEndian ? 0 : 1;
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i + high]) << 8 |
                                       static_cast<unsigned char>(bytes[i + 1 - high]));
    }
    return Utf16ToUtf8(units);
}

std::string FileOfText(std::string_view text, TextEncoding encoding) {
    std::string bytes(MarkOf(encoding));
    if (!IsUtf16(encoding))
        return bytes.append(text);
    bool bigEndian = encoding == TextEncoding::Utf16BigEndian;
    for (char16_t unit : Utf8ToUtf16(text)) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

bool FileTextIsWhole(std::string_view bytes) {
    return !IsUtf16(EncodingOfFile(bytes)) || bytes.size() % 2 == 0;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size())
        AppendUtf16(out, NextCodePoint(text, at));
    return out;
}
