#include "foundation/FileSystem.h"

#include <gtest/gtest.h>

#include "foundation/Language.h"

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
