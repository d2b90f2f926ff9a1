#include "foundation/HelpFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::set<std::string> g_present;
bool Present(const std::string& path) {
    return g_present.count(path) != 0;
}

TEST(HelpFilesTest, NamesTheFileAfterTheLanguageFile) {
    EXPECT_EQ("vantrel.chm", HelpFileName("English.ini"));
    EXPECT_EQ("vantrel.chm", HelpFileName("english.INI"));
    EXPECT_EQ("vantrel.chm", HelpFileName(""));
    EXPECT_EQ("vantrel-Deutsch.chm", HelpFileName("Deutsch.ini"));
    EXPECT_EQ("vantrel-Deutsch.chm", HelpFileName("C:\\Vantrel\\Language\\Deutsch.ini"));
}

TEST(HelpFilesTest, FallsBackToTheDefaultFileAndThenToNone) {
    g_present = {"C:\\V\\vantrel.chm", "C:\\V\\vantrel-Deutsch.chm"};
    EXPECT_EQ("C:\\V\\vantrel-Deutsch.chm", ChooseHelpFile("C:\\V", "Deutsch.ini", Present));
    EXPECT_EQ("C:\\V\\vantrel.chm", ChooseHelpFile("C:\\V", "Francais.ini", Present));
    g_present.clear();
    EXPECT_EQ("", ChooseHelpFile("C:\\V", "Deutsch.ini", Present));
}

TEST(HelpFilesTest, QuotesThePathAndAppendsThePage) {
    EXPECT_EQ("\"C:\\Program Files\\Vantrel\\vantrel.chm::/smart.htm\"",
              HelpViewerArguments("C:\\Program Files\\Vantrel\\vantrel.chm", "smart.htm"));
    EXPECT_EQ("\"C:\\V\\vantrel.chm\"", HelpViewerArguments("C:\\V\\vantrel.chm", ""));
}

}  // namespace
