#include "foundation/ProgramPaths_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "foundation/Controls_win.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/LanguageChooser_win.h"
#include "foundation/SettingsFile.h"
#include "tests/harness/WineTestSupport.h"

namespace {

std::string Lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ParentOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteFileAtomically(path, text);
}

TEST(ProgramPaths, SettingsFileLiesInTheProfileFolder) {
    std::string path = SettingsFilePath();
    ASSERT_FALSE(path.empty());
    const std::string tail = "\\Vantrel\\vantrel.ini";
    ASSERT_GT(path.size(), tail.size());
    EXPECT_EQ(path.substr(path.size() - tail.size()), tail);
    const char* profile = std::getenv("USERPROFILE");
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(Lowered(ParentOf(ParentOf(path))), Lowered(profile)) << path;
}

// Moves the profile's Vantrel folder out of the way for one test and puts it back afterwards.
struct VantrelFolderAside {
    std::string folder = ParentOf(SettingsFilePath());
    std::string aside = folder + ".aside" + std::to_string(GetCurrentProcessId());
    bool moved = IsFolder(folder) && MoveFileA(folder.c_str(), aside.c_str());
    ~VantrelFolderAside() {
        if (moved)
            MoveFileA(aside.c_str(), folder.c_str());
    }
};

TEST(ProgramPaths, FirstSaveCreatesTheVantrelFolder) {
    VantrelFolderAside aside;
    std::string path = SettingsFilePath();
    std::string folder = ParentOf(path);
    ASSERT_FALSE(IsFolder(folder));

    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, path));
    SelectGroup(file, "General");
    WriteSettingInteger(file, "PreferencesRemain", 1);
    bool written = CloseSettingsFile(file);
    bool folderMade = IsFolder(folder);
    std::string bytes;
    bool read = ReadWholeFile(path, bytes);
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());

    EXPECT_TRUE(written);
    EXPECT_TRUE(folderMade);
    ASSERT_TRUE(read);
    EXPECT_EQ(bytes, "[General]\r\nPreferencesRemain = 1\r\n");
}

TEST(ProgramPaths, ProgramFolderHoldsTheRunningProgram) {
    std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(FileExists(JoinPath(folder, "foundation_paths_test_win.exe"))) << folder;
    EXPECT_EQ(LanguageFolder(), folder + "\\Language");
}

// Language files beside the test program, removed afterwards.
class LanguageBesideProgram : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = LanguageFolder();
        if (IsFolder(folder_))
            GTEST_SKIP() << folder_ << " exists already; it is left alone";
        ASSERT_TRUE(CreateFolderPath(folder_));
        created_ = true;
        ASSERT_TRUE(
            WriteText(JoinPath(folder_, "English.ini"), "[General]\r\nName=English\r\n[Content]\r\nYes=Yes\r\n"));
        ASSERT_TRUE(WriteText(JoinPath(folder_, "A.ini"), "[General]\r\nName=Deutsch (Schweiz)\r\n"));
        ASSERT_TRUE(WriteText(JoinPath(folder_, "C.ini"), "[General]\r\nName=alpha\r\n"));
    }
    void TearDown() override {
        if (!created_)
            return;
        for (const std::string& name : ListFolderFiles(folder_))
            DeleteFileA(JoinPath(folder_, name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string folder_;
    bool created_ = false;
};

std::string SelectedText(HWND comboBox) {
    return ComboBoxItemText(comboBox, ComboBoxSelection(comboBox));
}

TEST_F(LanguageBesideProgram, ChooserListsAndSelectsByFileName) {
    HWND comboBox = CreateWindowExA(0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 0, 200, 200, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(comboBox, nullptr) << LastError();
    ListLanguages(comboBox, "A.ini");
    EXPECT_EQ(ComboBoxCount(comboBox), 3);
    EXPECT_EQ(SelectedText(comboBox), "Deutsch (Schweiz) (A.ini)");
    EXPECT_EQ(SelectedLanguageFile(comboBox), "A.ini");  // not fooled by the "(" in the display name

    SelectLanguageEntry(comboBox, "c.ini");  // letter case counts
    EXPECT_EQ(SelectedLanguageFile(comboBox), "");
    SelectLanguageEntry(comboBox, "C.ini");
    EXPECT_EQ(SelectedText(comboBox), "alpha (C.ini)");
    EXPECT_EQ(SelectedLanguageFile(comboBox), "C.ini");
    DestroyWindow(comboBox);
}

TEST_F(LanguageBesideProgram, LoadLanguageReadsTheFolderBesideTheProgram) {
    VantrelFolderAside aside;  // a settings file there could name another language
    ASSERT_FALSE(FileExists(SettingsFilePath()));
    LoadLanguage();
    EXPECT_EQ(CurrentLanguage().fileName, "English.ini");
    EXPECT_EQ(LanguageText(LanguageKey::Yes), "Yes");
    EXPECT_EQ(LanguageText(LanguageKey::No), "\"No\" missing!");
}

}  // namespace
