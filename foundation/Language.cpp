#include "foundation/Language.h"

#include <algorithm>
#include <unordered_map>

#include "foundation/FileSystem.h"
#include "foundation/IniDocument.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/SettingsFile.h"

namespace {

constexpr const char* kKeyNames[] = {
#define VANTREL_LANGUAGE_NAME(name) #name,
    VANTREL_LANGUAGE_KEYS(VANTREL_LANGUAGE_NAME)
#undef VANTREL_LANGUAGE_NAME
};
static_assert(sizeof kKeyNames / sizeof kKeyNames[0] == kLanguageKeyCount, "one name per key");
static_assert(kLanguageKeyCount == 450, "the catalogue has 450 keys");

std::string Lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

// Lower-case key name to key number, built once, so loading reads each file line once.
const std::unordered_map<std::string, int>& KeyNumbers() {
    static const std::unordered_map<std::string, int> numbers = [] {
        std::unordered_map<std::string, int> map;
        for (int i = 0; i < kLanguageKeyCount; ++i)
            map.emplace(Lowered(kKeyNames[i]), i);
        return map;
    }();
    return numbers;
}

LanguageCatalogue& ProgramCatalogue() {
    static LanguageCatalogue catalogue = MissingLanguageCatalogue();
    return catalogue;
}

std::string ReplaceAll(std::string_view text, std::string_view marker, std::string_view replacement) {
    std::string result;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(marker, start);
        if (at == std::string_view::npos)
            break;
        result.append(text.substr(start, at - start));
        result.append(replacement);
        start = at + marker.size();
    }
    result.append(text.substr(start));
    return result;
}

bool HasIniExtension(const std::string& name) {
    constexpr std::string_view kExtension = ".ini";
    return name.size() >= kExtension.size() &&
           SameIniName(std::string_view(name).substr(name.size() - kExtension.size()), kExtension);
}

std::string LanguageFileSetting(const std::string& settingsPath) {
    SettingsFile settings;
    if (!OpenSettingsFile(settings, settingsPath))
        return std::string();
    SelectGroup(settings, "General");
    std::string fileName = ReadSettingString(settings, "PreferencesLanguageFile", "");
    CloseSettingsFile(settings);
    return fileName;
}

}  // namespace

const char* LanguageKeyName(LanguageKey key) {
    int index = static_cast<int>(key);
    return index >= 0 && index < kLanguageKeyCount ? kKeyNames[index] : "";
}

std::string MissingKeyText(LanguageKey key) {
    return std::string("\"") + LanguageKeyName(key) + "\" missing!";
}

LanguageCatalogue MissingLanguageCatalogue() {
    LanguageCatalogue catalogue;
    catalogue.displayName = "Unknown language";
    for (int i = 0; i < kLanguageKeyCount; ++i)
        catalogue.texts[i] = MissingKeyText(static_cast<LanguageKey>(i));
    return catalogue;
}

LanguageCatalogue ParseLanguageCatalogue(std::string_view bytes) {
    IniDocument document = ParseIniDocument(bytes);
    LanguageCatalogue catalogue;
    const std::string* name = FindIniValue(document, "General", "Name");
    catalogue.displayName = name ? *name : "Unknown language";

    std::array<bool, kLanguageKeyCount> found{};
    const auto& numbers = KeyNumbers();
    bool inContent = false;
    for (const IniLine& line : document.lines) {
        if (line.kind == IniLineKind::Group) {
            inContent = SameIniName(line.name, "Content");
        } else if (inContent && line.kind == IniLineKind::Key) {
            auto number = numbers.find(Lowered(line.name));
            // The first occurrence wins, as a lookup of the key would find it.
            if (number != numbers.end() && !found[number->second]) {
                found[number->second] = true;
                catalogue.texts[number->second] = line.value;
            }
        }
    }
    for (int i = 0; i < kLanguageKeyCount; ++i) {
        if (!found[i])
            catalogue.texts[i] = MissingKeyText(static_cast<LanguageKey>(i));
    }
    return catalogue;
}

void LoadLanguageFrom(const std::string& languageFolder, const std::string& settingsPath) {
    std::string fileName = LanguageFileSetting(settingsPath);
    if (fileName.empty())
        fileName = kDefaultLanguageFile;

    std::string bytes;
    bool opened = ReadWholeFile(JoinPath(languageFolder, fileName), bytes);
    bool fellBack = false;
    if (!opened) {
        fileName = kDefaultLanguageFile;
        opened = ReadWholeFile(JoinPath(languageFolder, fileName), bytes);
        fellBack = opened;
    }

    LanguageCatalogue catalogue = opened ? ParseLanguageCatalogue(bytes) : MissingLanguageCatalogue();
    catalogue.fileName = opened ? fileName : std::string();
    catalogue.fellBackToDefault = fellBack;
    ProgramCatalogue() = std::move(catalogue);

    if (fellBack) {
        ShowMessageBox("Information", "Can't load the last used language. It will be set to default.",
                       kMessageBoxInformation);
    }
}

const LanguageCatalogue& CurrentLanguage() {
    return ProgramCatalogue();
}

void SetCurrentLanguage(LanguageCatalogue catalogue) {
    ProgramCatalogue() = std::move(catalogue);
}

const std::string& LanguageText(LanguageKey key) {
    int index = static_cast<int>(key);
    static const std::string kEmpty;
    return index >= 0 && index < kLanguageKeyCount ? ProgramCatalogue().texts[index] : kEmpty;
}

std::string LanguageTextWith(LanguageKey key, std::string_view argument) {
    return ReplaceArgument(LanguageText(key), argument);
}

std::string ReplaceArgument(std::string_view text, std::string_view argument) {
    return ReplaceAll(text, "<%1>", argument);
}

std::string_view FirstSentence(std::string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        bool end = text[i] == '.' || text[i] == '?' || text[i] == '!';
        if (end && text[i + 1] == ' ')
            return text.substr(0, i + 1);
    }
    return text;
}

std::string ExpandLineBreaks(std::string_view text) {
    return ReplaceAll(text, "</>", "\r\n");
}

std::vector<LanguageEntry> ListLanguageFiles(const std::string& languageFolder) {
    std::vector<std::string> names = ListFolderFiles(languageFolder);
    std::sort(names.begin(), names.end());  // a fixed order for entries with the same display name

    std::vector<LanguageEntry> entries;
    for (const std::string& name : names) {
        if (name.empty() || !HasIniExtension(name))
            continue;
        std::string bytes;
        if (!ReadWholeFile(JoinPath(languageFolder, name), bytes))
            continue;
        IniDocument document = ParseIniDocument(bytes);
        const std::string* displayName = FindIniValue(document, "General", "Name");
        LanguageEntry entry;
        entry.fileName = name;
        entry.displayName = displayName ? *displayName : "Unknown Language";
        entry.text = entry.displayName + " (" + name + ")";
        entries.push_back(std::move(entry));
    }
    std::stable_sort(entries.begin(), entries.end(), [](const LanguageEntry& a, const LanguageEntry& b) {
        return Lowered(a.displayName) < Lowered(b.displayName);
    });
    return entries;
}

int SelectLanguageEntry(const std::vector<LanguageEntry>& entries, std::string_view fileName) {
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].fileName == fileName)
            return static_cast<int>(i);
    }
    return -1;
}

std::string SelectedLanguageFile(const std::vector<LanguageEntry>& entries, int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries.size())
        return std::string();
    return entries[index].fileName;
}
