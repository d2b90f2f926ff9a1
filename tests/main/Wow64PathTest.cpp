#include "main/Wow64Path.h"

#include <gtest/gtest.h>

TEST(Wow64Path, OnlyPathsInsideTheSystemFolderGoThroughTheNativeAlias) {
    const char* system = "C:\\Windows\\System32";
    EXPECT_EQ(SysnativePath("C:\\Windows\\System32\\spoolsv.exe", system), "C:\\Windows\\Sysnative\\spoolsv.exe");
    EXPECT_EQ(SysnativePath("c:\\WINDOWS\\system32\\Drivers\\etc\\hosts", system),
              "C:\\Windows\\Sysnative\\Drivers\\etc\\hosts");
    EXPECT_EQ(SysnativePath("C:\\Windows\\System32", system), "C:\\Windows\\Sysnative");

    for (const char* outside : {"C:\\Windows\\System32x\\a.exe", "C:\\Windows\\SysWOW64\\a.exe", "C:\\Windows\\a.exe",
                                "D:\\Windows\\System32\\a.exe", "System32\\a.exe", ""}) {
        EXPECT_EQ(SysnativePath(outside, system), outside);
    }
    // Without a known system folder nothing changes.
    EXPECT_EQ(SysnativePath("C:\\Windows\\System32\\a.exe", ""), "C:\\Windows\\System32\\a.exe");
}
