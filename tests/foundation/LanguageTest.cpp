#include "foundation/Language.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "foundation/FileSystem.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/PreferencesDefaults.h"
#include "foundation/UnicodeText.h"
#include "tests/harness/TemporaryFolder.h"

namespace {

struct MessageBoxCall {
    std::string title;
    std::string text;
    unsigned style;
};
std::vector<MessageBoxCall> g_messages;

int RecordMessageBox(const std::string& title, const std::string& text, unsigned style) {
    g_messages.push_back({title, text, style});
    return kAnswerOk;
}

int MissingTextCount(const LanguageCatalogue& catalogue) {
    int count = 0;
    for (int i = 0; i < kLanguageKeyCount; ++i)
        count += catalogue.texts[i] == MissingKeyText(static_cast<LanguageKey>(i));
    return count;
}

const std::string& TextOf(const LanguageCatalogue& catalogue, LanguageKey key) {
    return catalogue.texts[static_cast<int>(key)];
}

class Language : public ::testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        previous_ = SetMessageBoxFunction(RecordMessageBox);
        languageFolder_ = JoinPath(folder_.Path(), "Language");
        CreateFolderPath(languageFolder_);
        settingsPath_ = folder_.File("vantrel.ini");
    }
    void TearDown() override {
        SetMessageBoxFunction(previous_);
        SetCurrentLanguage(MissingLanguageCatalogue());
    }
    void WriteLanguage(const std::string& name, const std::string& bytes) {
        folder_.Write(JoinPath("Language", name), bytes);
    }
    void ChooseLanguage(const std::string& fileName) {
        folder_.Write("vantrel.ini", "[General]\r\nPreferencesLanguageFile = " + fileName + "\r\n");
    }

    TemporaryFolder folder_;
    std::string languageFolder_;
    std::string settingsPath_;
    MessageBoxFunction previous_ = nullptr;
};

TEST_F(Language, KeysComeInFileOrder) {
    EXPECT_EQ(kLanguageKeyCount, 450);
    EXPECT_STREQ(LanguageKeyName(LanguageKey::About), "About");
    EXPECT_EQ(static_cast<int>(LanguageKey::About), 0);
    EXPECT_EQ(static_cast<int>(LanguageKey::Yes), 449);
    EXPECT_STREQ(LanguageKeyName(LanguageKey::VTLAboutInformation), "VTLAboutInformation");
    EXPECT_EQ(MissingKeyText(LanguageKey::About), "\"About\" missing!");
    EXPECT_EQ(LanguageText(LanguageKey::Cancel), "\"Cancel\" missing!");  // before anything is loaded
}

TEST_F(Language, ParsesAFileWithMissingAndOddKeys) {
    LanguageCatalogue catalogue = ParseLanguageCatalogue(
        "[general]\nname = Testish  \n[CONTENT]\nabout=  About it \ncancel=Abbrechen\nCancel=second\n"
        "NotAKey=x\n[Other]\nYes=wrong group\n");
    EXPECT_EQ(catalogue.displayName, "Testish  ");
    EXPECT_EQ(TextOf(catalogue, LanguageKey::About), "About it ");
    EXPECT_EQ(TextOf(catalogue, LanguageKey::Cancel), "Abbrechen");  // the first of two wins
    EXPECT_EQ(TextOf(catalogue, LanguageKey::Yes), "\"Yes\" missing!");
    EXPECT_EQ(MissingTextCount(catalogue), 448);

    LanguageCatalogue noContent = ParseLanguageCatalogue("[General]\nName=Empty\n");
    EXPECT_EQ(noContent.displayName, "Empty");
    EXPECT_EQ(MissingTextCount(noContent), 450);
    EXPECT_EQ(ParseLanguageCatalogue("").displayName, "Unknown language");
}

TEST_F(Language, LoadsTheChosenFile) {
    WriteLanguage("English.ini", "[General]\nName=English\n[Content]\nCancel=Cancel\n");
    WriteLanguage("Deutsch.ini", "[General]\nName=Deutsch\n[Content]\nCancel=Abbrechen\n");
    ChooseLanguage("Deutsch.ini");
    LoadLanguageFrom(languageFolder_, settingsPath_);
    EXPECT_EQ(CurrentLanguage().displayName, "Deutsch");
    EXPECT_EQ(CurrentLanguage().fileName, "Deutsch.ini");
    EXPECT_FALSE(CurrentLanguage().fellBackToDefault);
    EXPECT_EQ(LanguageText(LanguageKey::Cancel), "Abbrechen");
    EXPECT_EQ(LanguageText(LanguageKey::OK), "\"OK\" missing!");
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(Language, WithoutSettingsTheDefaultFileIsUsedSilently) {
    WriteLanguage("English.ini", "[General]\nName=English\n[Content]\nCancel=Cancel\n");
    LoadLanguageFrom(languageFolder_, settingsPath_);
    EXPECT_EQ(CurrentLanguage().fileName, "English.ini");
    EXPECT_EQ(LanguageText(LanguageKey::Cancel), "Cancel");
    EXPECT_TRUE(g_messages.empty());

    ChooseLanguage("");  // an empty name means the default file too
    LoadLanguageFrom(languageFolder_, settingsPath_);
    EXPECT_EQ(CurrentLanguage().fileName, "English.ini");
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(Language, DeletedLanguageFallsBackOnceAndTheSaveEndsIt) {
    WriteLanguage("English.ini", "[General]\nName=English\n[Content]\nCancel=Cancel\n");
    ChooseLanguage("Gone.ini");
    LoadLanguageFrom(languageFolder_, settingsPath_);
    EXPECT_EQ(LanguageText(LanguageKey::Cancel), "Cancel");
    EXPECT_TRUE(CurrentLanguage().fellBackToDefault);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].title, "Information");
    EXPECT_EQ(g_messages[0].text, "Can't load the last used language. It will be set to default.");
    EXPECT_EQ(g_messages[0].style, kMessageBoxInformation);

    // Loading the preferences afterwards must not bring the old name back, so the save stores the default.
    SettingsFile settings;
    ASSERT_TRUE(OpenSettingsFile(settings, settingsPath_));
    MainPreferences preferences;
    ReadMainPreferences(settings, preferences, true);
    EXPECT_EQ(preferences.PreferencesLanguageFile, "English.ini");
    WriteMainPreferences(settings, preferences);
    ASSERT_TRUE(CloseSettingsFile(settings));

    LoadLanguageFrom(languageFolder_, settingsPath_);
    EXPECT_FALSE(CurrentLanguage().fellBackToDefault);
    EXPECT_EQ(g_messages.size(), 1u);
}

TEST_F(Language, NoLanguageFileAtAllGivesMissingTextsWithoutAMessage) {
    ChooseLanguage("Gone.ini");
    LoadLanguageFrom(languageFolder_, settingsPath_);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(CurrentLanguage().displayName, "Unknown language");
    EXPECT_EQ(CurrentLanguage().fileName, "");
    EXPECT_FALSE(CurrentLanguage().fellBackToDefault);
    EXPECT_EQ(LanguageText(LanguageKey::Cancel), "\"Cancel\" missing!");
    EXPECT_EQ(MissingTextCount(CurrentLanguage()), 450);
}

TEST_F(Language, BinaryLanguageFileLoadsWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 5000; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    std::string megabyte(1 << 20, 'm');
    WriteLanguage("English.ini", junk + "\n[Content]\nYes=Ja\nNo=" + megabyte + "\n" + junk);
    LoadLanguageFrom(languageFolder_, settingsPath_);
    EXPECT_EQ(LanguageText(LanguageKey::Yes), "Ja");
    EXPECT_EQ(LanguageText(LanguageKey::No), megabyte);
    EXPECT_GE(MissingTextCount(CurrentLanguage()), 440);
}

TEST_F(Language, DeliveredLanguageFilesHaveEveryKey) {
    const char* source = std::getenv("VANTREL_SOURCE");
    ASSERT_NE(source, nullptr);
    for (const char* name : {"English.ini", "Deutsch.ini"}) {
        std::string bytes;
        bool read = ReadWholeFile(JoinPath(JoinPath(source, "Language"), name), bytes);
#ifdef _WIN32
        if (!read)
            GTEST_SKIP() << "the source tree is not reachable from Wine";
#endif
        ASSERT_TRUE(read) << name;
        LanguageCatalogue catalogue = ParseLanguageCatalogue(bytes);
        EXPECT_EQ(MissingTextCount(catalogue), 0) << name;
        EXPECT_NE(catalogue.displayName, "Unknown language") << name;
        EXPECT_NE(TextOf(catalogue, LanguageKey::RestartForLanguage).find("</>"), std::string::npos) << name;
    }
}

TEST_F(Language, ListsLanguagesSortedByDisplayName) {
    WriteLanguage("English.ini", "[General]\nName=English\n");
    WriteLanguage("Zweites.ini", "[General]\nName=english\n");
    WriteLanguage("Anderes.INI", "[General]\nName=Deutsch (Schweiz)\n");
    WriteLanguage("alpha.ini", "[Content]\nYes=Ja\n");
    WriteLanguage("notes.txt", "[General]\nName=Not a language\n");
    WriteLanguage("ini", "[General]\nName=No extension\n");
    std::vector<LanguageEntry> entries = ListLanguageFiles(languageFolder_);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, "Deutsch (Schweiz) (Anderes.INI)");
    EXPECT_EQ(entries[1].text, "English (English.ini)");
    EXPECT_EQ(entries[2].text, "english (Zweites.ini)");  // same name, told apart by the file
    EXPECT_EQ(entries[3].text, "Unknown Language (alpha.ini)");

    EXPECT_EQ(SelectLanguageEntry(entries, "Zweites.ini"), 2);
    EXPECT_EQ(SelectLanguageEntry(entries, "english.ini"), -1);  // exact, with letter case
    EXPECT_EQ(SelectedLanguageFile(entries, 0), "Anderes.INI");
    EXPECT_EQ(SelectedLanguageFile(entries, 4), "");
    EXPECT_EQ(SelectedLanguageFile(entries, -1), "");
    EXPECT_TRUE(ListLanguageFiles(folder_.File("missing")).empty());
}

// "\334ber" is "Über" in Windows-1252, "\303\234ber" in UTF-8; "ç" is "\347" and "\303\247".
TEST_F(Language, UnicodeFilesAreReadInTheCodePage) {
    WriteLanguage("Deutsch.ini", "\xEF\xBB\xBF[General]\r\nName=Deutsch\r\n[Content]\r\nAbout=\303\234ber\r\n");
    WriteLanguage("Francais.ini", FileOfText("[General]\nName=Fran\303\247ais", TextEncoding::Utf16LittleEndian));
    ChooseLanguage("Deutsch.ini");
    LoadLanguageFrom(languageFolder_, settingsPath_);
    EXPECT_EQ(LanguageText(LanguageKey::About), "\334ber");
    std::vector<LanguageEntry> entries = ListLanguageFiles(languageFolder_);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].displayName, "Fran\347ais");
}

TEST_F(Language, ReplacesMarkers) {
    EXPECT_EQ(ReplaceArgument("Can't end <%1>, <%1>!", "a.exe"), "Can't end a.exe, a.exe!");
    EXPECT_EQ(ReplaceArgument("<%1>", "<%1><%1>"), "<%1><%1>");  // the argument is not expanded again
    EXPECT_EQ(ReplaceArgument("no marker", "x"), "no marker");
    EXPECT_EQ(ExpandLineBreaks("one</>two</></>"), "one\r\ntwo\r\n\r\n");
    EXPECT_EQ(ExpandLineBreaks("<//>"), "<//>");
    LanguageCatalogue catalogue = MissingLanguageCatalogue();
    catalogue.texts[static_cast<int>(LanguageKey::CanNotEndProcess)] = "Can't end <%1>.";
    SetCurrentLanguage(catalogue);
    EXPECT_EQ(LanguageTextWith(LanguageKey::CanNotEndProcess, "x.exe"), "Can't end x.exe.");
}

}  // namespace
