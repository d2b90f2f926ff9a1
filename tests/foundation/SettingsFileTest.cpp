#include "foundation/SettingsFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>

#include "foundation/FileSystem.h"
#include "tests/harness/TemporaryFolder.h"

namespace {

TEST(SettingsFile, MissingFileDoesNotOpen) {
    TemporaryFolder folder;
    SettingsFile file;
    EXPECT_FALSE(OpenSettingsFile(file, folder.File("vantrel.ini")));
    EXPECT_FALSE(file.isOpen);
    EXPECT_FALSE(FileExists(folder.File("vantrel.ini")));
}

TEST(SettingsFile, ReadsWithDefaults) {
    TemporaryFolder folder;
    folder.Write("vantrel.ini", "[General]\nNumber = 2500\nWord=abc\nHuge=99999999999\nNegative=-40x\nEmpty=\n");
    SettingsFile file;
    ASSERT_TRUE(OpenSettingsFile(file, folder.File("vantrel.ini")));
    SelectGroup(file, "general");
    EXPECT_EQ(ReadSettingInteger(file, "Number", 1), 2500);
    EXPECT_EQ(ReadSettingInteger(file, "Word", 7), 0);  // present but not numeric
    EXPECT_EQ(ReadSettingInteger(file, "Huge", 7), INT_MAX);
    EXPECT_EQ(ReadSettingInteger(file, "Negative", 7), -40);
    EXPECT_EQ(ReadSettingInteger(file, "Absent", 7), 7);
    EXPECT_EQ(ReadSettingString(file, "Word", "d"), "abc");
    EXPECT_EQ(ReadSettingString(file, "Empty", "d"), "");
    EXPECT_EQ(ReadSettingString(file, "Absent", "d"), "d");
    SelectGroup(file, "Window");
    EXPECT_EQ(ReadSettingInteger(file, "Number", -1), -1);
    EXPECT_TRUE(CloseSettingsFile(file));
}

TEST(SettingsFile, UpdateKeepsTheRestOfTheFile) {
    TemporaryFolder folder;
    // Marked UTF-8: "Über" ("\303\234ber"; "\334ber" in Windows-1252), and a character the code page lacks.
    folder.Write("vantrel.ini",
                 "\xEF\xBB\xBF; written by hand\n[Systray]\nPreferencesColorCPU=255\n[General]\nPreferencesRemain=1\n"
                 "[Mine]\nfoo=\303\234ber\nfar=\xE4\xB8\xAD\n");
    SettingsFile file;
    ASSERT_TRUE(OpenSettingsFile(file, folder.File("vantrel.ini")));
    SelectGroup(file, "Mine");
    EXPECT_EQ(ReadSettingString(file, "foo", ""), "\334ber");
    WriteSettingString(file, "far", ReadSettingString(file, "far", ""));
    SelectGroup(file, "General");
    WriteSettingInteger(file, "PreferencesRemain", 0);
    WriteSettingString(file, "PreferencesLanguageFile", "\334bersetzt.ini");
    ASSERT_TRUE(CloseSettingsFile(file));
    EXPECT_EQ(folder.Read("vantrel.ini"),
              "\xEF\xBB\xBF; written by hand\r\n\r\n[Systray]\r\nPreferencesColorCPU = 255\r\n\r\n[General]\r\n"
              "PreferencesRemain = 0\r\nPreferencesLanguageFile = \303\234bersetzt.ini\r\n\r\n[Mine]\r\n"
              "foo = \303\234ber\r\nfar = \xE4\xB8\xAD\r\n");
    EXPECT_EQ(folder.EntryCount(), 1u);  // no temporary file left behind
}

TEST(SettingsFile, UnchangedFileIsNotRewritten) {
    TemporaryFolder folder;
    const std::string original = "[General]\nPreferencesRemain=1\nGone=x\n";
    folder.Write("vantrel.ini", original);
    SettingsFile file;
    ASSERT_TRUE(OpenSettingsFile(file, folder.File("vantrel.ini")));
    SelectGroup(file, "General");
    WriteSettingInteger(file, "PreferencesRemain", 1);
    RemoveSettingKey(file, "Absent");
    RemoveSettingGroup(file, "Absent");
    EXPECT_FALSE(file.changed);
    ASSERT_TRUE(CloseSettingsFile(file));
    EXPECT_EQ(folder.Read("vantrel.ini"), original);

    ASSERT_TRUE(OpenSettingsFile(file, folder.File("vantrel.ini")));
    SelectGroup(file, "General");
    RemoveSettingKey(file, "gone");
    ASSERT_TRUE(CloseSettingsFile(file));
    EXPECT_EQ(folder.Read("vantrel.ini"), "[General]\r\nPreferencesRemain = 1\r\n");
}

TEST(SettingsFile, CreateReplacesAnOldFileWhenClosed) {
    TemporaryFolder folder;
    folder.Write("vantrel.ini", "[Old]\nk=v\n");
    SettingsFile file;
    CreateSettingsFile(file, folder.File("vantrel.ini"));
    EXPECT_EQ(folder.Read("vantrel.ini"), "[Old]\nk=v\n");  // nothing is lost before the close
    ASSERT_TRUE(CloseSettingsFile(file));
    EXPECT_EQ(folder.Read("vantrel.ini"), "");
    EXPECT_TRUE(FileExists(folder.File("vantrel.ini")));
}

TEST(SettingsFile, OpenOrCreateMakesTheFolders) {
    TemporaryFolder folder;
    std::string path = JoinPath(JoinPath(JoinPath(folder.Path(), "profile"), "Vantrel"), "vantrel.ini");
    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, path));
    SelectGroup(file, "General");
    WriteSettingInteger(file, "PreferencesAutorun", 1);
    ASSERT_TRUE(CloseSettingsFile(file));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "[General]\r\nPreferencesAutorun = 1\r\n");

    ASSERT_TRUE(OpenOrCreateSettingsFile(file, path));  // the second time it opens what is there
    SelectGroup(file, "General");
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesAutorun", 0), 1);
    CloseSettingsFile(file);
    EXPECT_FALSE(OpenOrCreateSettingsFile(file, ""));
}

TEST(SettingsFile, UnreadableFileIsNeverReplaced) {
    TemporaryFolder folder;
    std::string path = folder.File("vantrel.ini");
    { std::ofstream create(path, std::ios::binary); }
    std::filesystem::resize_file(path, kMaximumReadLength + 1);  // sparse, so cheap
    SettingsFile file;
    EXPECT_FALSE(OpenSettingsFile(file, path));
    EXPECT_FALSE(OpenOrCreateSettingsFile(file, path));
    EXPECT_EQ(std::filesystem::file_size(path), kMaximumReadLength + 1);

    // UTF-16 with a byte too many or too few: its text cannot be written back as it came.
    const std::string oddUtf16("\xFF\xFE[\0G\0]\0", 7);
    folder.Write("vantrel.ini", oddUtf16);
    EXPECT_FALSE(OpenOrCreateSettingsFile(file, path));
    EXPECT_EQ(folder.Read("vantrel.ini"), oddUtf16);
}

TEST(SettingsFile, FailedWriteLeavesNoTemporaryFile) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.File("vantrel.ini"));  // a folder where the file should be
    SettingsFile file;
    CreateSettingsFile(file, folder.File("vantrel.ini"));
    SelectGroup(file, "General");
    WriteSettingInteger(file, "PreferencesRemain", 0);
    EXPECT_FALSE(CloseSettingsFile(file));
    EXPECT_EQ(folder.EntryCount(), 1u);

    CreateSettingsFile(file, JoinPath(folder.File("missing"), "vantrel.ini"));
    EXPECT_FALSE(CloseSettingsFile(file));
}

TEST(SettingsFile, BinaryFileGivesDefaultsAndLosesNothing) {
    TemporaryFolder folder;
    std::mt19937 random(12345);
    const char alphabet[] = "\0\r\n[]=; \tabcXYZ\xEF\xBB\xBF\xFF";
    std::string bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += alphabet[random() % (sizeof alphabet - 1)];
    folder.Write("vantrel.ini", bytes);

    SettingsFile file;
    ASSERT_TRUE(OpenSettingsFile(file, folder.File("vantrel.ini")));
    SelectGroup(file, "General");
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesRefresh1Spin", 2500), 2500);
    IniDocument before = file.document;
    WriteSettingInteger(file, "PreferencesRefresh1Spin", 2500);
    ASSERT_TRUE(CloseSettingsFile(file));

    IniDocument after = ParseIniDocument(folder.Read("vantrel.ini"));
    ASSERT_EQ(after.lines.size(), before.lines.size() + 2);  // the new group line and key
    for (size_t i = 0; i < before.lines.size(); ++i) {
        EXPECT_EQ(after.lines[i].kind, before.lines[i].kind) << i;
        EXPECT_EQ(after.lines[i].name, before.lines[i].name) << i;
        EXPECT_EQ(after.lines[i].value, before.lines[i].value) << i;
    }
}

TEST(SettingsFile, MegabyteLineSurvivesASave) {
    TemporaryFolder folder;
    std::string longValue(1 << 20, 'v');
    folder.Write("vantrel.ini", "[General]\nLong=" + longValue + "\nPreferencesRemain=0\n");
    SettingsFile file;
    ASSERT_TRUE(OpenSettingsFile(file, folder.File("vantrel.ini")));
    SelectGroup(file, "General");
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesRemain", 1), 0);
    WriteSettingInteger(file, "PreferencesRemain", 1);
    ASSERT_TRUE(CloseSettingsFile(file));
    ASSERT_TRUE(OpenSettingsFile(file, folder.File("vantrel.ini")));
    SelectGroup(file, "General");
    EXPECT_EQ(ReadSettingString(file, "Long", ""), longValue);
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesRemain", 0), 1);
}

TEST(FileSystem, JoinsAndListsPaths) {
    TemporaryFolder folder;
    EXPECT_EQ(JoinPath("", "x.ini"), "x.ini");
    EXPECT_EQ(JoinPath(std::string("a") + kPathSeparator, "b"), std::string("a") + kPathSeparator + "b");
    EXPECT_EQ(JoinPath("a/", "b"), "a/b");
    folder.Write("one.ini", "1");
    folder.Write("two.txt", "2");
    ASSERT_TRUE(CreateFolderPath(JoinPath(folder.Path(), "sub")));
    EXPECT_TRUE(CreateFolderPath(JoinPath(folder.Path(), "sub")));  // already there
    std::vector<std::string> names = ListFolderFiles(folder.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"one.ini", "two.txt"}));
    EXPECT_TRUE(ListFolderFiles(folder.File("missing")).empty());
    EXPECT_FALSE(FileExists(folder.File("sub")));
    EXPECT_FALSE(CreateFolderPath(JoinPath(folder.File("one.ini"), "below")));  // a file is in the way
}

}  // namespace
