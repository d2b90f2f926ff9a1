// The run window's commands: program, arguments and working folder from what was typed, and the
// history of started commands.

#include "main/processes/RunHistory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/Language.h"

namespace {

TEST(RunCommandTest, QuotedProgramKeepsItsSpacesAndPassesTheRestAsArguments) {
    RunCommand command = SplitRunCommand("\"C:\\Program Files\\Tool\\x.exe\" -a \"b c\"");
    EXPECT_EQ(command.program, "C:\\Program Files\\Tool\\x.exe");
    EXPECT_EQ(command.arguments, "-a \"b c\"");
    EXPECT_EQ(ProgramFolder(command.program), "C:\\Program Files\\Tool\\");

    // Without quotes the whole text is the program, spaces and all.
    command = SplitRunCommand("  C:\\Program Files\\Tool\\x.exe  ");
    EXPECT_EQ(command.program, "C:\\Program Files\\Tool\\x.exe");
    EXPECT_EQ(command.arguments, "");
}

TEST(RunCommandTest, OddQuotingStillNamesAProgramOrNothing) {
    EXPECT_EQ(SplitRunCommand("\"C:\\dir with space\\x.exe").program, "C:\\dir with space\\x.exe");
    EXPECT_EQ(SplitRunCommand("\"\"").program, "");
    EXPECT_EQ(SplitRunCommand("\"\" -x").program, "");
    EXPECT_EQ(SplitRunCommand("   ").program, "");
    EXPECT_EQ(SplitRunCommand("").program, "");
    EXPECT_EQ(SplitRunCommand("\"a\"b").arguments, "b");
}

TEST(RunCommandTest, UnquotedCommandIsReadWholeFirstThenEndingAtEachBlank) {
    std::vector<RunCommand> readings = RunCommandReadings("  notepad   notes.txt ");
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(readings[0].program, "notepad   notes.txt");
    EXPECT_EQ(readings[0].arguments, "");
    EXPECT_EQ(readings[1].program, "notepad");
    EXPECT_EQ(readings[1].arguments, "notes.txt");

    readings = RunCommandReadings("C:\\Program Files\\App\\app.exe -q");
    ASSERT_EQ(readings.size(), 3u);
    EXPECT_EQ(readings[1].program, "C:\\Program");
    EXPECT_EQ(readings[1].arguments, "Files\\App\\app.exe -q");
    EXPECT_EQ(readings[2].program, "C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(readings[2].arguments, "-q");

    // A quoted command means exactly what its quotes say.
    readings = RunCommandReadings("\"C:\\Program Files\\App\\app.exe\" -q");
    ASSERT_EQ(readings.size(), 1u);
    EXPECT_EQ(readings[0].arguments, "-q");
    EXPECT_EQ(RunCommandReadings("notepad").size(), 1u);
}

TEST(RunCommandTest, BareNameHasNoFolderOfItsOwn) {
    EXPECT_EQ(ProgramFolder("notepad"), "");
    EXPECT_EQ(ProgramFolder("notepad.exe"), "");
    EXPECT_EQ(ProgramFolder("C:\\x.exe"), "C:\\");
    EXPECT_EQ(ProgramFolder("\\\\server\\share\\tool.exe"), "\\\\server\\share\\");
    EXPECT_EQ(ProgramFolder("Z:/home/user/tool.exe"), "Z:/home/user/");
    EXPECT_EQ(ProgramFolder("C:\\a\\b.dir\\"), "C:\\a\\b.dir\\");
}

TEST(RunCommandTest, FoldersAreSkippedAsShorterReadingsAndKeptAsWorkingFolders) {
    std::filesystem::path base = std::filesystem::temp_directory_path() / "run-readings-test";
    std::filesystem::create_directories(base / "tool dir");
    std::string folder = base.string() + "/";
    std::vector<RunCommand> readings = StartableReadings(folder + "tool dir x");
    std::filesystem::remove_all(base);
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(readings[0].program, folder + "tool dir x");
    EXPECT_EQ(readings[1].program, folder + "tool");
    EXPECT_EQ(RunWorkingFolder("/"), "/");
    EXPECT_EQ(RunWorkingFolder("notepad"), "");
    EXPECT_EQ(RunWorkingFolder("http://example.invalid/x"), "");
}

TEST(RunCommandTest, BrowseFilterPartsEndWithNuls) {
    std::string filter = RunBrowseFilter();
    std::string end(1, '\0');
    EXPECT_EQ(filter, LanguageText(LanguageKey::ApplicationFiles) + end + "*.exe;*.com;*.bat;*.cmd" + end +
                          LanguageText(LanguageKey::AllFiles) + end + "*.*" + end + end);
}

TEST(RunCommandTest, ArgumentsOfCommandComeBeforeTheParameterField) {
    EXPECT_EQ(JoinArguments("-a", "file.txt"), "-a file.txt");
    EXPECT_EQ(JoinArguments("", " file.txt "), "file.txt");
    EXPECT_EQ(JoinArguments("-a", "  "), "-a");
    EXPECT_EQ(JoinArguments("", ""), "");
}

TEST(RunCommandTest, ChosenPathIsQuotedOnlyWhenItHasSpaces) {
    EXPECT_EQ(QuotedWhenSpaced("C:\\Program Files\\x.exe"), "\"C:\\Program Files\\x.exe\"");
    EXPECT_EQ(QuotedWhenSpaced("C:\\Tools\\x.exe"), "C:\\Tools\\x.exe");
    EXPECT_EQ(QuotedWhenSpaced("\"C:\\Program Files\\x.exe\""), "\"C:\\Program Files\\x.exe\"");
    // A quoted choice reads back as the same program.
    EXPECT_EQ(SplitRunCommand(QuotedWhenSpaced("C:\\Program Files\\x.exe")).program, "C:\\Program Files\\x.exe");
}

TEST(RunHistoryTest, EachCommandOnceIgnoringLetterCaseAndBlanks) {
    std::vector<std::string> history;
    EXPECT_TRUE(AddToRunHistory(history, "notepad"));
    EXPECT_TRUE(AddToRunHistory(history, "\"C:\\Program Files\\x.exe\""));
    EXPECT_FALSE(AddToRunHistory(history, "NotePad"));
    EXPECT_FALSE(AddToRunHistory(history, "  notepad  "));
    EXPECT_FALSE(AddToRunHistory(history, "\"c:\\program files\\X.EXE\""));
    EXPECT_FALSE(AddToRunHistory(history, "   "));
    EXPECT_TRUE(AddToRunHistory(history, "notepad2"));
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0], "notepad");
    EXPECT_EQ(history[2], "notepad2");
}

TEST(RunHistoryTest, LetterCaseFoldsOnlyAsciiLetters) {
    // Bytes above 127 are compared as they are, so a code page's letters never fold into ASCII ones.
    std::vector<std::string> history;
    EXPECT_TRUE(AddToRunHistory(history, "C:\\\xC4pfel.exe"));
    EXPECT_TRUE(AddToRunHistory(history, "C:\\\xE4pfel.exe"));
    EXPECT_TRUE(AddToRunHistory(history, "C:\\[x].exe"));
    EXPECT_TRUE(AddToRunHistory(history, "C:\\{x}.exe"));  // '[' and '{' differ by the case bit
    EXPECT_EQ(history.size(), 4u);
}

TEST(RunHistoryTest, SessionHistoryIsOneSharedList) {
    std::vector<std::string>& history = RunCommandHistory();
    size_t before = history.size();
    AddToRunHistory(history, "shared-command");
    EXPECT_EQ(&RunCommandHistory(), &history);
    EXPECT_EQ(RunCommandHistory().size(), before + 1);
    EXPECT_EQ(RunCommandHistory().back(), "shared-command");
}

}  // namespace
