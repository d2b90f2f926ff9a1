// Checks the language files delivered beside the programs: every key present once, the markers the
// callers replace in the right texts, and the texts that code compares or joins kept apart.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "foundation/IniDocument.h"
#include "foundation/Language.h"
#include "foundation/LanguageKeys.h"
#include "foundation/ValueFormatting.h"

namespace {

#define VANTREL_KEY_NAME(name) #name,
const std::vector<std::string> kKeys = {VANTREL_LANGUAGE_KEYS(VANTREL_KEY_NAME)};
#undef VANTREL_KEY_NAME

// The callers replace "<%1>" in these texts with a name, a path or an error detail.
const std::set<std::string> kArgumentKeys = {
    "AvoidChange",
    "AvoidFailed",
    "AvoidSuccessful",
    "CanNotChangePriority",
    "CanNotDeleteDatabase",
    "CanNotDeleteKey",
    "CanNotDeleteLink",
    "CanNotDeleteProcess",
    "CanNotEndProcess",
    "CanNotExecute",
    "CanNotGetDirectory",
    "CanNotPauseService",
    "CanNotResumeService",
    "CanNotSetAutorun",
    "CanNotStartService",
    "CanNotStopService",
    "DeleteProcessSuccessful",
    "Logoff",
    "NewProcess",
    "NewProcessStartedBy",
    "ProgramChange",
    "ReallyDeleteKey",
    "ReallyDeleteLink",
    "ReallyDeleteProcess",
    "ReallyEndProcess",
    "RemoveProgramQuestion",
    "SystemChange",
};
// The new-process balloon names the parent process as a second argument.
const std::set<std::string> kSecondArgumentKeys = {"NewProcessStartedBy"};
// Only these callers turn "</>" into a line break; anywhere else it would show as it is.
const std::set<std::string> kLineBreakKeys = {"NewProcessUnknown", "RestartForLanguage", "VTLAboutInformation"};
// Menu entries and buttons to which the programs append "..." themselves.
const std::vector<std::string> kEllipsisAppended = {
    "AddAutorun",
    "AddProgram",
    "Browse",
    "DatabaseChangeProfile",
    "DatabaseDelete",
    "DatabaseUpdate",
    "ExportAll",
    "ExportAutorunlist",
    "ExportDriverlist",
    "ExportNetworklist",
    "ExportProcesslist",
    "ExportServicelist",
    "ExportSMARTlist",
    "ExportWindowlist",
    "Help",
    "MenuWizardAvoid",
    "MenuWizardProgram",
    "MenuWizardSystem",
    "OptimizeAllProcesses",
    "RunProcess",
    "SelectColors",
};

struct LanguageFile {
    std::string bytes;
    IniDocument document;
    std::string name;                                          // [General] Name, empty when absent
    std::vector<std::pair<std::string, std::string>> content;  // [Content] keys in file order
};

std::string SourcePath(const std::string& relative) {
    const char* root = std::getenv("VANTREL_SOURCE");
    return std::string(root ? root : ".") + "/" + relative;
}

LanguageFile ReadLanguageFile(const std::string& fileName) {
    LanguageFile file;
    std::ifstream in(SourcePath("Language/" + fileName), std::ios::binary);
    file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    file.document = ParseIniDocument(file.bytes);
    std::string group;
    for (const IniLine& line : file.document.lines) {
        if (line.kind == IniLineKind::Group) {
            group = line.name;
        } else if (line.kind == IniLineKind::Key && SameIniName(group, "Content")) {
            file.content.emplace_back(line.name, line.value);
        }
    }
    if (const std::string* name = FindIniValue(file.document, "General", "Name"))
        file.name = *name;
    return file;
}

std::map<std::string, std::string> TextsByKey(const LanguageFile& file) {
    return std::map<std::string, std::string>(file.content.begin(), file.content.end());
}

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

std::string WithoutMarkers(std::string text) {
    for (const char* marker : {"<%1>", "<%2>", "</>"}) {
        for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker))
            text.erase(at, std::string(marker).size());
    }
    return text;
}

class LanguageFileTest : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        file_ = ReadLanguageFile(GetParam());
        ASSERT_FALSE(file_.bytes.empty()) << "cannot read " << SourcePath(std::string("Language/") + GetParam());
        texts_ = TextsByKey(file_);
    }
    LanguageFile file_;
    std::map<std::string, std::string> texts_;
};

TEST_P(LanguageFileTest, ContentHoldsEveryKeyOnceInCatalogueOrder) {
    ASSERT_EQ(kKeys.size(), static_cast<size_t>(kLanguageKeyCount));
    std::vector<std::string> names;
    for (const auto& entry : file_.content)
        names.push_back(entry.first);
    // Exact letter case: the loader would forgive another case, but the files are the reference.
    EXPECT_EQ(names, kKeys);

    std::set<std::string> known(kKeys.begin(), kKeys.end());
    std::set<std::string> seen;
    for (const std::string& name : names) {
        EXPECT_TRUE(known.count(name)) << "unknown key " << name;
        EXPECT_TRUE(seen.insert(name).second) << "duplicate key " << name;
    }
    for (const std::string& key : kKeys)
        EXPECT_TRUE(seen.count(key)) << "missing key " << key;
}

TEST_P(LanguageFileTest, DisplayNameFitsTheLanguageChooser) {
    EXPECT_FALSE(file_.name.empty());
    // The chooser takes the file name from after the first "(" of its entry text.
    EXPECT_EQ(file_.name.find('('), std::string::npos) << file_.name;
}

TEST_P(LanguageFileTest, TextsAreNonEmptyAndUntrimmed) {
    for (const auto& [key, text] : file_.content) {
        EXPECT_FALSE(text.empty()) << key;
        if (text.empty())
            continue;
        // Leading blanks are lost when the file is read; trailing ones would be shown.
        EXPECT_NE(text.back(), ' ') << key;
        EXPECT_NE(text.back(), '\t') << key;
    }
}

TEST_P(LanguageFileTest, MarkersSitInTheTextsWhoseCallersReplaceThem) {
    for (const auto& [key, text] : file_.content) {
        EXPECT_EQ(CountOf(text, "<%1>"), kArgumentKeys.count(key) ? 1 : 0) << key << " = " << text;
        EXPECT_EQ(CountOf(text, "<%2>"), kSecondArgumentKeys.count(key) ? 1 : 0) << key << " = " << text;
        if (kLineBreakKeys.count(key))
            EXPECT_GE(CountOf(text, "</>"), 1) << key << " = " << text;
        else
            EXPECT_EQ(CountOf(text, "</>"), 0) << key << " = " << text;

        const std::string rest = WithoutMarkers(text);
        for (const char* typo : {"<%", "%1", "%2", "</", "/>", "< /", "<% "})
            EXPECT_EQ(rest.find(typo), std::string::npos) << key << " has a broken marker: " << text;
    }
}

TEST_P(LanguageFileTest, NoDoubleEllipsisWhereTheProgramsAppendOne) {
    for (const std::string& key : kEllipsisAppended) {
        const std::string& text = texts_[key];
        EXPECT_FALSE(text.size() >= 3 && text.compare(text.size() - 3, 3, "...") == 0) << key << " = " << text;
    }
}

TEST_P(LanguageFileTest, TextsThatCodeComparesStayApart) {
    // Conditions are stored by their text inside "text{parameter};" items and found again by it.
    std::set<std::string> conditions;
    for (const std::string& key : kKeys) {
        if (key.rfind("ConditionString", 0) != 0)
            continue;
        const std::string& text = texts_[key];
        EXPECT_TRUE(conditions.insert(text).second) << "condition text used twice: " << text;
        EXPECT_EQ(text.find_first_of("{};"), std::string::npos) << key << " = " << text;
    }
    EXPECT_EQ(conditions.size(), 16u);

    // The priority menu checks the entry whose short name equals the list cell.
    std::set<std::string> priorities;
    for (const char* key : {"PriorityShortRealtime", "PriorityShortHigh", "PriorityShortIncreased",
                            "PriorityShortDefault", "PriorityShortDecreased", "PriorityShortLow", "NotDetectable"})
        EXPECT_TRUE(priorities.insert(texts_[key]).second) << key << " = " << texts_[key];

    // Removing an autorun tells registry rows from shortcut rows by the type cell.
    EXPECT_NE(texts_["Registry"], texts_["AutorunDirectory"]);
    // The rating dialog's three options.
    std::set<std::string> ratings = {texts_["RatingUnknown"], texts_["RatingSystemInternal"],
                                     texts_["RatingTrustworthyProgram"]};
    EXPECT_EQ(ratings.size(), 3u);
    // The search results name their source list by these texts.
    std::set<std::string> kinds = {texts_["Process"], texts_["Window"], texts_["Service"], texts_["Driver"],
                                   texts_["Network"], texts_["SMART"],  texts_["Autorun"]};
    EXPECT_EQ(kinds.size(), 7u);
}

TEST_P(LanguageFileTest, LinesEndWithCarriageReturnAndLineFeed) {
    ASSERT_GE(file_.bytes.size(), 2u);
    EXPECT_EQ(file_.bytes.substr(file_.bytes.size() - 2), "\r\n");
    for (size_t at = 0; at < file_.bytes.size(); ++at) {
        if (file_.bytes[at] == '\n') {
            ASSERT_TRUE(at > 0 && file_.bytes[at - 1] == '\r') << "bare LF at byte " << at;
        }
        if (file_.bytes[at] == '\r') {
            ASSERT_TRUE(at + 1 < file_.bytes.size() && file_.bytes[at + 1] == '\n') << "bare CR at byte " << at;
        }
    }
}

TEST_P(LanguageFileTest, CatalogueLoaderFindsEveryText) {
    const LanguageCatalogue catalogue = ParseLanguageCatalogue(file_.bytes);
    EXPECT_EQ(catalogue.displayName, file_.name);
    for (int index = 0; index < kLanguageKeyCount; ++index) {
        const auto key = static_cast<LanguageKey>(index);
        EXPECT_NE(catalogue.texts[index], MissingKeyText(key)) << LanguageKeyName(key);
        EXPECT_EQ(catalogue.texts[index], texts_[kKeys[index]]) << LanguageKeyName(key);
    }
}

INSTANTIATE_TEST_SUITE_P(Delivered,
                         LanguageFileTest,
                         testing::Values("English.ini", "Deutsch.ini"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(0, std::string(info.param).find('.'));
                         });

TEST(LanguageFiles, GermanKeepsTheMarkersOfEnglish) {
    const auto english = TextsByKey(ReadLanguageFile("English.ini"));
    const auto german = TextsByKey(ReadLanguageFile("Deutsch.ini"));
    ASSERT_EQ(english.size(), kKeys.size());
    for (const std::string& key : kKeys) {
        const std::string& en = english.at(key);
        const std::string& de = german.count(key) ? german.at(key) : std::string();
        for (const char* marker : {"<%1>", "<%2>", "</>"})
            EXPECT_EQ(CountOf(de, marker), CountOf(en, marker)) << key << ": " << marker;
    }
}

TEST(LanguageFiles, EncodingsSuitTheAnsiCodePage) {
    // The programs show texts through the ANSI functions: English stays plain ASCII, and German is
    // written in Windows-1252, the code page of German and English Windows, without a UTF-8 mark.
    const std::string english = ReadLanguageFile("English.ini").bytes;
    for (size_t at = 0; at < english.size(); ++at)
        ASSERT_LT(static_cast<unsigned char>(english[at]), 0x80) << "non-ASCII byte at " << at;

    const std::string german = ReadLanguageFile("Deutsch.ini").bytes;
    ASSERT_FALSE(german.empty());
    EXPECT_NE(german.substr(0, 3), "\xEF\xBB\xBF");
    const std::string windows1252Letters = "\xE4\xF6\xFC\xC4\xD6\xDC\xDF";  // a o u A O U with umlaut, sharp s
    int letters = 0;
    for (size_t at = 0; at < german.size(); ++at) {
        const unsigned char byte = static_cast<unsigned char>(german[at]);
        if (byte < 0x80)
            continue;
        // Any other byte (the lead bytes of UTF-8 among them) means the file was saved in another encoding.
        ASSERT_NE(windows1252Letters.find(static_cast<char>(byte)), std::string::npos)
            << "unexpected byte 0x" << std::hex << int(byte) << " at " << std::dec << at;
        ++letters;
    }
    EXPECT_GT(letters, 0);
}

TEST(LanguageFiles, DurationsReadWellInBothLanguages) {
    const LanguageCatalogue previous = CurrentLanguage();
    SetCurrentLanguage(ParseLanguageCatalogue(ReadLanguageFile("English.ini").bytes));
    EXPECT_EQ(FormatDuration(90061), "1 Day, 1 Hour, 1 Minute, 1 Second");
    EXPECT_EQ(FormatDuration(2 * 86400 + 3 * 3600 + 5), "2 Days, 3 Hours, 5 Seconds");
    SetCurrentLanguage(ParseLanguageCatalogue(ReadLanguageFile("Deutsch.ini").bytes));
    EXPECT_EQ(FormatDuration(90061 + 86400 + 60), "2 Tage, 1 Stunde, 2 Minuten, 1 Sekunde");
    SetCurrentLanguage(previous);
}

TEST(LanguageFiles, ChooserListsBothLanguagesByDisplayName) {
    const std::vector<LanguageEntry> entries = ListLanguageFiles(SourcePath("Language"));
    std::vector<std::string> texts;
    for (const LanguageEntry& entry : entries)
        texts.push_back(entry.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Deutsch (Deutsch.ini)", "English (English.ini)"}));
    EXPECT_EQ(SelectedLanguageFile(entries, SelectLanguageEntry(entries, "English.ini")), "English.ini");
}

}  // namespace
