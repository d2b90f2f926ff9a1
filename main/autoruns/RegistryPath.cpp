#include "main/autoruns/RegistryPath.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>

#include "foundation/DecimalText.h"

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

RegistryRoot RegistryRootOfPath(std::string_view path) {
    std::string_view root = path.substr(0, path.find('\\'));
    static const struct {
        const char* name;
        RegistryRoot root;
    } kRoots[] = {
        {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},     {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
        {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},   {"HKEY_USERS", RegistryRoot::Users},
        {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
    };
    for (const auto& entry : kRoots) {
        if (EqualIgnoringCase(root, entry.name)) {
            return entry.root;
        }
    }
    return RegistryRoot::None;
}

std::string SubKeyOfPath(std::string_view path) {
    std::size_t separator = path.find('\\');
    if (separator == std::string_view::npos) {
        return std::string(path);
    }
    std::string_view subKey = path.substr(separator + 1);
    // "HKEY_CURRENT_USER\\Software" names the same key as "HKEY_CURRENT_USER\Software".
    if (!subKey.empty() && subKey.front() == '\\') {
        subKey.remove_prefix(1);
    }
    return std::string(subKey);
}

std::string RegistryDwordText(std::uint32_t value) {
    return std::to_string(static_cast<std::int32_t>(value));
}

std::uint32_t RegistryDwordFromText(std::string_view text) {
    // Negative values down to -2147483648 wrap to their unsigned form, as the registry stores them.
    long long value = std::clamp<long long>(ReadLeadingInteger(text), INT32_MIN, UINT32_MAX);
    return static_cast<std::uint32_t>(value);
}

std::string RegistryBinaryText(const unsigned char* bytes, std::size_t length) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(length * 2);
    for (std::size_t i = 0; i < length; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::optional<std::vector<unsigned char>> RegistryBinaryFromText(std::string_view text) {
    std::vector<unsigned char> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        int high = HexDigitValue(text[i]);
        int low = HexDigitValue(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
    }
    return bytes;
}

std::string RegistryStringFromData(const char* data, std::size_t length) {
    std::string_view view(data, length);
    std::size_t end = view.find('\0');
    return std::string(view.substr(0, end));
}

std::string RegistryValueText(unsigned long type, const unsigned char* data, std::size_t length) {
    switch (type) {
        case kRegistryString:
        case kRegistryExpandString:
            return RegistryStringFromData(reinterpret_cast<const char*>(data), length);
        case kRegistryDword: {
            if (length > sizeof(std::uint32_t)) {
                return "0";
            }
            std::uint32_t value = 0;
            for (std::size_t i = 0; i < length; ++i) {
                value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
            }
            return RegistryDwordText(value);
        }
        case kRegistryBinary:
            return RegistryBinaryText(data, length);
        default:
            return std::string();
    }
}

std::optional<std::vector<unsigned char>> RegistryValueData(unsigned long type, std::string_view text) {
    switch (type) {
        case kRegistryString:
        case kRegistryExpandString: {
            std::vector<unsigned char> data(text.begin(), text.end());
            data.push_back(0);
            return data;
        }
        case kRegistryDword: {
            std::uint32_t value = RegistryDwordFromText(text);
            return std::vector<unsigned char>{static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                              static_cast<unsigned char>(value >> 16),
                                              static_cast<unsigned char>(value >> 24)};
        }
        case kRegistryBinary:
            return RegistryBinaryFromText(text);
        default:
            return std::nullopt;
    }
}

unsigned long RegistryViewAccessFlag(RegistryView view) {
    return view == RegistryView::Bits64 ? 0x0100 : 0x0200;
}

std::optional<IndirectTextReference> ParseIndirectText(std::string_view text) {
    if (text.empty() || text.front() != '@') {
        return std::nullopt;
    }
    text.remove_prefix(1);
    text = text.substr(0, text.find(';'));
    std::size_t comma = text.rfind(",-");
    if (comma == 0 || comma == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view digits = text.substr(comma + 2);
    // String identifiers are 16-bit numbers.
    constexpr unsigned kHighestId = 0xFFFF;
    IndirectTextReference reference{std::string(text.substr(0, comma)), 0};
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        reference.id = reference.id * 10 + static_cast<unsigned>(c - '0');
        if (reference.id > kHighestId) {
            return std::nullopt;
        }
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    return reference;
}
