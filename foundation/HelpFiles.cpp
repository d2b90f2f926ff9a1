#include "foundation/HelpFiles.h"

#include "foundation/Language.h"

namespace {

bool EqualsIgnoringCase(const std::string& left, const std::string& right) {
    if (left.size() != right.size()) {
        return false;
    }
    for (size_t i = 0; i < left.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(left[i]) != lower(right[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string HelpFileName(const std::string& languageFile) {
    std::string stem = languageFile;
    const size_t slash = stem.find_last_of("\\/");
    if (slash != std::string::npos) {
        stem.erase(0, slash + 1);
    }
    if (stem.size() > 4 && EqualsIgnoringCase(stem.substr(stem.size() - 4), ".ini")) {
        stem.resize(stem.size() - 4);
    }
    if (stem.empty() || EqualsIgnoringCase(stem + ".ini", kDefaultLanguageFile)) {
        return kDefaultHelpFile;
    }
    return "vantrel-" + stem + ".chm";
}

std::string ChooseHelpFile(const std::string& folder,
                           const std::string& languageFile,
                           bool (*exists)(const std::string& path)) {
    for (const std::string& name : {HelpFileName(languageFile), std::string(kDefaultHelpFile)}) {
        const std::string path = folder + "\\" + name;
        if (exists(path)) {
            return path;
        }
    }
    return "";
}

std::string HelpViewerArguments(const std::string& path, const std::string& page) {
    return "\"" + path + (page.empty() ? std::string() : "::/" + page) + "\"";
}
