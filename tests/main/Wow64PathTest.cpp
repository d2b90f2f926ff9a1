#include "main/Wow64Path.h"

#include <gtest/gtest.h>

TEST(Wow64PathTest, TheSystemFolderIsReachedThroughSysnativeExceptWhereRedirectionLeavesItAlone) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\WINDOWS\\System32\\notepad.exe", "C:\\WINDOWS\\Sysnative\\notepad.exe"},
        {"c:\\windows\\SYSTEM32\\drivers\\x.sys", "C:\\WINDOWS\\Sysnative\\drivers\\x.sys"},
        {"C:/Windows/system32/a.dll", "C:\\WINDOWS\\Sysnative/a.dll"},
        {"C:\\WINDOWS\\System32", "C:\\WINDOWS\\Sysnative"},
        {"C:\\WINDOWS\\System32\\", "C:\\WINDOWS\\Sysnative\\"},
        {"C:\\WINDOWS\\System32\\driverstore2\\a.inf", "C:\\WINDOWS\\Sysnative\\driverstore2\\a.inf"},
        {"C:\\WINDOWS\\System32\\drivers\\etcetera", "C:\\WINDOWS\\Sysnative\\drivers\\etcetera"},
        // Left alone by the redirection, so reached as they are.
        {"C:\\WINDOWS\\System32\\drivers\\etc\\hosts", "C:\\WINDOWS\\System32\\drivers\\etc\\hosts"},
        {"C:\\WINDOWS\\System32\\Drivers\\ETC", "C:\\WINDOWS\\System32\\Drivers\\ETC"},
        {"C:\\WINDOWS\\System32\\spool\\drivers\\a.dll", "C:\\WINDOWS\\System32\\spool\\drivers\\a.dll"},
        {"C:\\WINDOWS\\System32\\CatRoot2\\x", "C:\\WINDOWS\\System32\\CatRoot2\\x"},
        {"C:\\WINDOWS\\System32\\catroot", "C:\\WINDOWS\\System32\\catroot"},
        {"C:\\WINDOWS\\System32\\DriverStore\\FileRepository\\a.inf",
         "C:\\WINDOWS\\System32\\DriverStore\\FileRepository\\a.inf"},
        {"C:\\WINDOWS\\System32\\LogFiles\\a.log", "C:\\WINDOWS\\System32\\LogFiles\\a.log"},
        // Not the system folder.
        {"C:\\WINDOWS\\SysWOW64\\notepad.exe", "C:\\WINDOWS\\SysWOW64\\notepad.exe"},
        {"C:\\WINDOWS\\System32x\\a.exe", "C:\\WINDOWS\\System32x\\a.exe"},
        {"C:\\WINDOWS\\System\\a.exe", "C:\\WINDOWS\\System\\a.exe"},
        {"C:\\WINDOWS\\notepad.exe", "C:\\WINDOWS\\notepad.exe"},
        {"D:\\WINDOWS\\System32\\a.exe", "D:\\WINDOWS\\System32\\a.exe"},
        {"C:\\Program Files\\System32\\a.exe", "C:\\Program Files\\System32\\a.exe"},
        {"C:\\WIN", "C:\\WIN"},
        {"", ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(SysnativePathWith(test.path, "C:\\WINDOWS"), test.expected) << test.path;
        EXPECT_EQ(SysnativePathWith(test.path, "C:\\WINDOWS\\"), test.expected) << test.path << " (trailing slash)";
    }
    EXPECT_EQ(SysnativePathWith("C:\\WINDOWS\\System32\\a.exe", ""), "C:\\WINDOWS\\System32\\a.exe");
}
