#include "foundation/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/Language.h"
#include "tests/harness/TemporaryFolder.h"

TEST(FileSystemTest, FolderAndFileNameOfAPath) {
    EXPECT_EQ(FolderOfPath("C:\\Programs\\x.exe"), "C:\\Programs\\");
    EXPECT_EQ(FileNameOfPath("C:\\Programs\\x.exe"), "x.exe");
    // A placeholder text or a bare name has no folder to open; a path ending in a backslash is no file.
    EXPECT_EQ(FolderOfPath(LanguageText(LanguageKey::NotDetectable)), "");
    EXPECT_EQ(FolderOfPath("x.exe"), "");
    EXPECT_EQ(FolderOfPath("C:\\Programs\\"), "");
    EXPECT_EQ(FileNameOfPath("x.exe"), "x.exe");
    EXPECT_EQ(FileNameOfPath(""), "");
}

// A crash between writing the temporary file and its rename leaves the temporary behind, with the
// settings' account password in it: the next write of the same file removes it.
TEST(FileSystemTest, AWriteRemovesTheStaleTemporariesOfItsOwnFile) {
    TemporaryFolder folder;
    const std::string path = folder.File("vantrel.ini");
    const char* stale[] = {"vantrel.ini.4242.tmp"};
    const char* kept[] = {"vantrel.ini.4243.tmp", "other.ini.4242.tmp", "vantrel.ini.x1.tmp", "vantrel.ini.tmp"};
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const char* name : stale)
        folder.Write(name, "DatabaseAccountPassword = secret");
    for (const char* name : kept)
        folder.Write(name, "x");
    for (const char* name : kept) {
        if (std::string(name) != "vantrel.ini.4243.tmp")  // a young one may be a write in progress
            std::filesystem::last_write_time(folder.File(name), old);
    }
    std::filesystem::last_write_time(folder.File(stale[0]), old);

    ASSERT_TRUE(WriteFileAtomically(path, "[Database]"));
    EXPECT_FALSE(FileExists(folder.File(stale[0])));
    for (const char* name : kept)
        EXPECT_TRUE(FileExists(folder.File(name))) << name;
    EXPECT_EQ(ListFolderFiles(folder.Path()).size(), 5u);
}
