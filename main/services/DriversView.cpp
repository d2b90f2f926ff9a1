#include "main/services/DriversView.h"

#include <cctype>
#include <climits>
#include <string_view>

#include "foundation/DecimalText.h"
#include "foundation/Language.h"
#include "main/services/ServiceTexts.h"

namespace {

std::string Extension(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.find('\\', dot) != std::string::npos) {
        return std::string();
    }
    return name.substr(dot + 1);
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// A whole decimal number after optional white space, held within the range of long; false for
// no digits or anything after them.
bool ParseWhole(const std::string& text, long& value) {
    size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) {
        ++start;
    }
    std::string_view digits = std::string_view(text).substr(start);
    DecimalText number = ReadDecimalText(digits);
    if (number.length == 0 || number.length != digits.size()) {
        return false;
    }
    value = static_cast<long>(ClampDecimal(number, LONG_MIN, LONG_MAX));
    return true;
}

}  // namespace

std::string DriverKindText(const std::string& baseName) {
    std::string extension = Extension(baseName);
    std::string lower = Lower(extension);
    if (lower == "sys") {
        return LanguageText(LanguageKey::SystemDriver);
    }
    if (lower == "dll") {
        return LanguageText(LanguageKey::ProgramLibrary);
    }
    for (char& c : extension) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return extension + "-Datei";
}

DriverImage DriverKindImage(const std::string& baseName) {
    std::string lower = Lower(Extension(baseName));
    if (lower == "sys") {
        return DriverImageSystem;
    }
    return lower == "dll" ? DriverImageLibrary : DriverImageFile;
}

std::string DriverFullPath(const std::string& normalisedPath, const std::string& systemFolder) {
    if (normalisedPath.empty() || normalisedPath.find('\\') != std::string::npos) {
        return normalisedPath;
    }
    return systemFolder + "\\drivers\\" + normalisedPath;
}

std::string DriverServiceKey(const std::string& baseName) {
    size_t dot = baseName.rfind('.');
    return std::string(kServicesRegistryPath) + (dot == std::string::npos ? baseName : baseName.substr(0, dot));
}

std::string DriverStartText(const std::string& registryValue) {
    long value = 0;
    return ParseWhole(registryValue, value) ? ServiceKeyText(ServiceStartTypeKey(value)) : std::string();
}

std::string DriverTypeText(const std::string& registryValue) {
    long value = 0;
    return ParseWhole(registryValue, value) ? ServiceKeyText(ServiceTypeKey(value)) : std::string();
}
