#include "foundation/CodePage_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "foundation/CodePage.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/SettingsFile.h"
#include "tests/harness/TemporaryFolder.h"

namespace {

// The programs' own mapping, as their start-up installs it, with a language and a settings file in UTF-8.
TEST(SystemCodePage, ReadsUtf8FilesWithoutLookAlikes) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the expected texts are Windows-1252; the system code page is " << GetACP();
    CodePageFunctions previous = SetCodePageFunctions({nullptr, nullptr});
    UseSystemCodePage();
    TemporaryFolder folder;
    std::string languageFolder = JoinPath(folder.Path(), "Language");
    ASSERT_TRUE(CreateFolderPath(languageFolder));
    // "Über" and a Polish "Ł", which has no place in Windows-1252 but a look-alike "L".
    folder.Write(JoinPath("Language", "English.ini"),
                 "\xEF\xBB\xBF[General]\r\nName=Test\r\n[Content]\r\nAbout=\303\234ber\r\nYes=\xC5\x81\r\n");
    LoadLanguageFrom(languageFolder, folder.File("vantrel.ini"));
    EXPECT_EQ(LanguageText(LanguageKey::About), "\334ber");
    EXPECT_EQ(LanguageText(LanguageKey::Yes), "?");

    folder.Write("vantrel.ini", "\xEF\xBB\xBF[General]\r\nName = \xC5\x81\r\n");
    SettingsFile file;
    ASSERT_TRUE(OpenSettingsFile(file, folder.File("vantrel.ini")));
    SelectGroup(file, "General");
    WriteSettingString(file, "Other", "\334ber");
    ASSERT_TRUE(CloseSettingsFile(file));
    EXPECT_EQ(folder.Read("vantrel.ini"), "\xEF\xBB\xBF[General]\r\nName = \xC5\x81\r\nOther = \303\234ber\r\n");

    SetCurrentLanguage(MissingLanguageCatalogue());
    SetCodePageFunctions(previous);
}

}  // namespace
