#include "main/autoruns/AutorunLocations.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "main/autoruns/AutorunEditing.h"
#include "main/database/FileStampCache.h"

namespace {

const std::string kWindows = "C:\\WINDOWS";

// The files of a small system: the system folder's programs and one program with blanks in its path.
const std::set<std::string> kFiles = {"C:\\WINDOWS\\System32\\rundll32.exe",
                                      "C:\\WINDOWS\\System32\\notepad.exe",
                                      "C:\\WINDOWS\\notepad.exe",
                                      "C:\\WINDOWS\\explorer.exe",
                                      "C:\\Program Files\\Tool\\tool.exe",
                                      "C:\\WINDOWS\\System32\\userinit.exe",
                                      "C:\\Tools\\has blank.exe"};

std::string Target(const std::string& command) {
    return AutorunTargetPath(command, kWindows, [](const std::string& path) { return kFiles.count(path) > 0; });
}

}  // namespace

TEST(AutorunTargetPath, ResolvesRealCommandStrings) {
    EXPECT_EQ(Target("\"C:\\Program Files\\Tool\\tool.exe\" -minimized /x"), "C:\\Program Files\\Tool\\tool.exe");
    // Unquoted: cut at the first blank; the rest names no file, has no extension and gets ".exe".
    EXPECT_EQ(Target("C:\\Program Files\\Tool\\tool.exe -minimized"), "C:\\Program.exe");
    // ... unless the whole text is a file.
    EXPECT_EQ(Target("C:\\Tools\\has blank.exe"), "C:\\Tools\\has blank.exe");
    EXPECT_EQ(Target("%SystemRoot%\\notepad.exe"), "C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(Target("%SYSTEMROOT%\\explorer.exe"), "C:\\WINDOWS\\explorer.exe");
    EXPECT_EQ(Target("%systemroot%\\System32\\rundll32.exe x"), "C:\\WINDOWS\\System32\\rundll32.exe");
    EXPECT_EQ(Target("rundll32.exe shell32.dll,Control_RunDLL"), "C:\\WINDOWS\\System32\\rundll32.exe");
    // Bare names: the system folder before the Windows folder; unknown ones stay as they are.
    EXPECT_EQ(Target("notepad"), "C:\\WINDOWS\\System32\\notepad.exe");
    EXPECT_EQ(Target("explorer.exe"), "C:\\WINDOWS\\explorer.exe");
    EXPECT_EQ(Target("unknown"), "unknown.exe");
    EXPECT_EQ(Target("unknown.dll"), "unknown.dll");
    EXPECT_EQ(Target("\"D:\\missing\\app\""), "D:\\missing\\app.exe");
    EXPECT_EQ(Target(""), "");
    // Winlogon's Userinit with its trailing comma: one item, whose target is the file.
    auto items = SplitCommaList("C:\\WINDOWS\\System32\\userinit.exe,");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(Target(items[0]), "C:\\WINDOWS\\System32\\userinit.exe");
    // A shortcut's target only gets the extension and the folder look-up.
    EXPECT_EQ(AutorunFileTargetPath("notepad", kWindows, [](const std::string& p) { return kFiles.count(p) > 0; }),
              "C:\\WINDOWS\\System32\\notepad.exe");
}

TEST(AutorunLocations, CommaListsSplitAtEveryCommaUntrimmedWithoutEmptyItems) {
    EXPECT_EQ(SplitCommaList("a.exe, b.exe,,c.dll"), (std::vector<std::string>{"a.exe", " b.exe", "c.dll"}));
    EXPECT_TRUE(SplitCommaList("").empty());
    EXPECT_TRUE(SplitCommaList(",,").empty());
    // Removing one item keeps the others and their separators.
    EXPECT_EQ(CommaListWithout("a.exe,b.exe,", "a.exe"), "b.exe,");
    EXPECT_EQ(CommaListWithout("a.exe,b.exe", "b.exe"), "a.exe");
    EXPECT_EQ(CommaListWithout("a.exe, b.exe,c", " b.exe"), "a.exe,c");
    EXPECT_EQ(CommaListWithout("a.exe", "b.exe"), "a.exe");
    EXPECT_TRUE(IsCommaListLocation("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                                    "userinit"));
    EXPECT_FALSE(
        IsCommaListLocation("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell"));
}

TEST(AutorunLocations, LocationTextTellsTheViewsApartAndReadsBack) {
    const std::string run = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string run32 = "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string user = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    EXPECT_EQ(RegistryViewPath(run, RegistryView::Bits32, true), run32);
    EXPECT_EQ(RegistryViewPath(run, RegistryView::Bits64, true), run);
    EXPECT_EQ(RegistryViewPath(run, RegistryView::Bits32, false), run);
    EXPECT_EQ(RegistryViewPath(user, RegistryView::Bits32, true), user);

    RegistryPlace place = RegistryPlaceOfPath(run32 + "\\App", true);
    EXPECT_EQ(place.path, run + "\\App");
    EXPECT_EQ(place.view, RegistryView::Bits32);
    place = RegistryPlaceOfPath(run + "\\App", true);
    EXPECT_EQ(place.path, run + "\\App");
    EXPECT_EQ(place.view, RegistryView::Bits64);
    EXPECT_EQ(RegistryPlaceOfPath(user + "\\App", true).view, RegistryView::Bits32);
    EXPECT_EQ(RegistryPlaceOfPath(run + "\\App", false).view, RegistryView::Bits32);
}

TEST(AutorunEditing, TextsOfAddingJumpingAndSearching) {
    EXPECT_EQ(RegistryEditorLastKey("Computer\\HKEY_CURRENT_USER\\Old", "HKEY_LOCAL_MACHINE\\Software\\Run"),
              "Computer\\HKEY_LOCAL_MACHINE\\Software\\Run");
    EXPECT_EQ(RegistryEditorLastKey("Arbeitsplatz", "HKEY_CURRENT_USER\\X"), "Arbeitsplatz\\HKEY_CURRENT_USER\\X");
    EXPECT_EQ(RegistryEditorLastKey("", "HKEY_CURRENT_USER\\X"), "");
    EXPECT_EQ(LocationKeyPath("HKEY_CURRENT_USER\\Software\\Run\\App"), "HKEY_CURRENT_USER\\Software\\Run");
    EXPECT_EQ(AutorunSearchName("\"C:\\Program Files\\Tool\\tool.exe\" -x"), "tool.exe");
    EXPECT_EQ(AutorunSearchName("C:\\Tools\\app.exe"), "app.exe");

    EXPECT_EQ(TrimBlanks("  D:\\Tools\\app.exe "), "D:\\Tools\\app.exe");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(NewAutorunValueData("D:\\Tools\\app.exe", "-x"), "\"D:\\Tools\\app.exe\" -x");
    EXPECT_EQ(NewAutorunValueData("D:\\Tools\\app.exe", ""), "\"D:\\Tools\\app.exe\" ");
    EXPECT_EQ(NewAutorunLinkName("D:\\Tools\\app.exe"), "app.exe.lnk");
    EXPECT_EQ(NewAutorunWorkingFolder("D:\\Tools\\app.exe"), "D:\\Tools");
    EXPECT_EQ(NewAutorunKey({true, false, false}),
              "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(NewAutorunKey({true, true, true}),
              "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
}

TEST(FileStampCache, TrustsAResultWhileTheFileKeepsPathSizeAndTime) {
    FileStampCache cache;
    RememberCachedValue(cache, {"C:\\App.exe", 100, 5}, "hash");
    const std::string* found = FindCachedValue(cache, {"c:\\app.EXE", 100, 5});
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, "hash");
    EXPECT_EQ(FindCachedValue(cache, {"C:\\App.exe", 101, 5}), nullptr);
    EXPECT_EQ(FindCachedValue(cache, {"C:\\App.exe", 100, 6}), nullptr);
    RememberCachedValue(cache, {"C:\\App.exe", 101, 5}, "new");
    EXPECT_EQ(*FindCachedValue(cache, {"C:\\App.exe", 101, 5}), "new");
    EXPECT_EQ(cache.entries.size(), 1u);
}
