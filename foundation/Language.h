#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/LanguageKeys.h"

// The user-interface texts of both programs, named by key. Lookups index an array; no text is
// searched for after loading.

enum class LanguageKey : int {
#define VANTREL_LANGUAGE_ENUMERATOR(name) name,
    VANTREL_LANGUAGE_KEYS(VANTREL_LANGUAGE_ENUMERATOR)
#undef VANTREL_LANGUAGE_ENUMERATOR
};

#define VANTREL_LANGUAGE_COUNT_ONE(name) +1
constexpr int kLanguageKeyCount = 0 VANTREL_LANGUAGE_KEYS(VANTREL_LANGUAGE_COUNT_ONE);
#undef VANTREL_LANGUAGE_COUNT_ONE

constexpr char kDefaultLanguageFile[] = "English.ini";

struct LanguageCatalogue {
    std::string displayName;
    std::string fileName;            // the file the texts came from; empty when none could be opened
    bool fellBackToDefault = false;  // the chosen file failed and the default one was loaded instead
    std::array<std::string, kLanguageKeyCount> texts;
};

const char* LanguageKeyName(LanguageKey key);
// What a key shows when its text is absent: "About" missing! (with the quotes).
std::string MissingKeyText(LanguageKey key);

// A catalogue from the bytes of a language file; absent keys get their missing-key text.
LanguageCatalogue ParseLanguageCatalogue(std::string_view bytes);
// Every text in its missing-key form, as when no language file can be opened.
LanguageCatalogue MissingLanguageCatalogue();

// Loads the language named by the settings file into the program-wide catalogue, falling back to
// the default language (with a message box saying so) and then to the missing-key texts.
void LoadLanguageFrom(const std::string& languageFolder, const std::string& settingsPath);

const LanguageCatalogue& CurrentLanguage();
void SetCurrentLanguage(LanguageCatalogue catalogue);
const std::string& LanguageText(LanguageKey key);
// The text with each "<%1>" replaced by the argument.
std::string LanguageTextWith(LanguageKey key, std::string_view argument);

std::string ReplaceArgument(std::string_view text, std::string_view argument);
// The text up to and with its first full stop, question or exclamation mark that ends a sentence
// (followed by a space or the end); the whole text when it has none. For a text whose second
// sentence does not hold in a case at hand.
std::string_view FirstSentence(std::string_view text);
// Each "</>" becomes CR LF, for the texts shown on several lines.
std::string ExpandLineBreaks(std::string_view text);

// The language chooser of the preferences window: one entry per language file, sorted by display name.
struct LanguageEntry {
    std::string fileName;
    std::string displayName;
    std::string text;  // display name, " (", file name, ")"
};

std::vector<LanguageEntry> ListLanguageFiles(const std::string& languageFolder);
// The index of the entry whose file name equals the given one exactly, or -1.
int SelectLanguageEntry(const std::vector<LanguageEntry>& entries, std::string_view fileName);
// The file name of the entry at the index; empty when there is none.
std::string SelectedLanguageFile(const std::vector<LanguageEntry>& entries, int index);
