#include "main/FileVersionFields.h"

#include <cstdio>

namespace {

const char* const kFieldNames[kVersionFieldCount] = {
    "FileVersion",    "FileDescription", "LegalCopyright",  "InternalName", "OriginalFilename", "ProductName",
    "ProductVersion", "CompanyName",     "LegalTrademarks", "SpecialBuild", "PrivateBuild",     "Comments"};

}  // namespace

std::string VersionFieldName(unsigned bit) {
    for (unsigned i = 0; i < kVersionFieldCount; ++i) {
        if (bit == (1u << i))
            return kFieldNames[i];
    }
    return std::string();
}

std::string VersionTranslationKey(uint16_t language, uint16_t codePage) {
    char text[16];
    std::snprintf(text, sizeof(text), "%04X%04X", static_cast<unsigned>(language), static_cast<unsigned>(codePage));
    return text;
}

void AppendVersionLanguage(std::string& text, const std::string& language, bool withTitle) {
    if (!text.empty())
        text += '\n';
    text += withTitle ? "Language:\t" + language : language;
}
