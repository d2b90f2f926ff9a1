#include "main/processes/ImagePath.h"

#include <gtest/gtest.h>

TEST(ImagePathTest, NativePrefixesBecomePlainPaths) {
    const char* windows = "C:\\WINDOWS";
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"\\??\\C:\\Programs\\tool.exe", "C:\\Programs\\tool.exe"},
        {"\\SystemRoot\\System32\\smss.exe", "C:\\WINDOWS\\System32\\smss.exe"},
        {"\\??\\\\SystemRoot\\System32\\drivers\\x.sys", "C:\\WINDOWS\\System32\\drivers\\x.sys"},
        {"\\WINDOWS\\explorer.exe", "C:\\WINDOWS\\explorer.exe"},
        {"\\Windows\\explorer.exe", "\\Windows\\explorer.exe"},  // the prefixes are case-sensitive
        {"\\systemroot\\System32\\a.exe", "\\systemroot\\System32\\a.exe"},
        {"C:\\Programs\\tool.exe", "C:\\Programs\\tool.exe"},
        {"\\??", "\\??"},
        {"\\??\\", ""},
        {"\\SystemRoot", "\\SystemRoot"},
        {"", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(NormalizeImagePathWith(test.path, windows), test.expected) << test.path;
}

TEST(ImagePathTest, UnknownWindowsFolderLeavesThePrefix) {
    EXPECT_EQ(NormalizeImagePathWith("\\SystemRoot\\a.exe", ""), "\\SystemRoot\\a.exe");
    EXPECT_EQ(NormalizeImagePathWith("\\??\\\\WINDOWS\\a.exe", ""), "\\WINDOWS\\a.exe");
}
