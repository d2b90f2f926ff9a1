#include "main/autoruns/Link.h"

#include <gtest/gtest.h>

TEST(Link, EmptyWorkingDirectoryIsTheTargetsFolderWithItsBackslash) {
    EXPECT_EQ(ShortcutWorkingDirectory("C:\\Tools\\run.exe", ""), "C:\\Tools\\");
    EXPECT_EQ(ShortcutWorkingDirectory("C:\\run.exe", ""), "C:\\");
    EXPECT_EQ(ShortcutWorkingDirectory("run.exe", ""), "");
    EXPECT_EQ(ShortcutWorkingDirectory("C:\\Tools\\run.exe", "D:\\Work"), "D:\\Work");
}

TEST(Link, IconPathBarStandsForTheTarget) {
    EXPECT_EQ(ShortcutIconPath("C:\\Tools\\run.exe", "|"), "C:\\Tools\\run.exe");
    EXPECT_EQ(ShortcutIconPath("C:\\Tools\\run.exe", ""), "");
    EXPECT_EQ(ShortcutIconPath("C:\\Tools\\run.exe", "||"), "||");
    EXPECT_EQ(ShortcutIconPath("C:\\Tools\\run.exe", "C:\\icons.dll"), "C:\\icons.dll");
}

TEST(Link, AutostartShortcutStartsTheTrayCompanionFromTheProgramFolder) {
    for (const char* folder : {"C:\\Program Files\\Vantrel", "C:\\Program Files\\Vantrel\\"}) {
        ShortcutRecord record = AutostartShortcutRecord(folder);
        EXPECT_EQ(record.targetPath, "C:\\Program Files\\Vantrel\\vtlsystray.exe") << folder;
        EXPECT_EQ(record.arguments, "-Autorun");
        EXPECT_EQ(record.workingDirectory, "C:\\Program Files\\Vantrel\\");
        EXPECT_EQ(record.showCommand, 1);
        EXPECT_EQ(record.description, "Automatischer Start des Vantrel SystemTray Icons.");
        EXPECT_EQ(record.hotkeyKey, 0);
        EXPECT_EQ(record.hotkeyModifiers, 0);
        EXPECT_EQ(record.iconPath, record.targetPath);
        EXPECT_EQ(record.iconIndex, 0);
    }
    EXPECT_STREQ(kAutostartLinkName, "\\Vantrel.lnk");
}

TEST(Link, HotkeyWordSplitsIntoKeyAndModifiers) {
    ShortcutRecord record;
    SetShortcutHotkey(record, 0x0641);
    EXPECT_EQ(record.hotkeyKey, 0x41);
    EXPECT_EQ(record.hotkeyModifiers, 0x06);
    record.hotkeyKey = 0x1FF;  // only the low byte counts
    EXPECT_EQ(ShortcutHotkeyWord(record), 0x06FF);
}

TEST(Link, BufferTextEndsAtTheLastByteAndLeavesTheBufferCleared) {
    std::vector<char> buffer = {'a', 'b', 'c'};
    EXPECT_EQ(TakeShortcutBufferText(buffer), "ab");
    EXPECT_EQ(buffer, std::vector<char>(3, '\0'));
    EXPECT_EQ(TakeShortcutBufferText(buffer), "");
}
