#include "foundation/PreferencesDefaults.h"

#include <gtest/gtest.h>

#include "foundation/FileSystem.h"
#include "tests/harness/TemporaryFolder.h"

namespace {

std::string NumberedLines(const char* prefix, int count, const std::array<int, kColumnWidthCount>& values) {
    std::string lines;
    for (int n = 0; n < count; ++n)
        lines += prefix + std::to_string(n) + " = " + std::to_string(values[n]) + "\r\n";
    return lines;
}

void Save(const std::string& path, const MainPreferences& preferences) {
    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, path));
    WriteMainPreferences(file, preferences);
    ASSERT_TRUE(CloseSettingsFile(file));
}

MainPreferences Load(const std::string& path, bool columnWidths) {
    MainPreferences preferences;
    SettingsFile file;
    EXPECT_TRUE(OpenSettingsFile(file, path));
    ReadMainPreferences(file, preferences, columnWidths);
    ReadMainWindowPlacement(file, preferences.Window);
    CloseSettingsFile(file);
    return preferences;
}

TEST(PreferencesDefaults, FirstSaveWritesEveryDefault) {
    TemporaryFolder folder;
    std::string path = JoinPath(JoinPath(folder.Path(), "Vantrel"), "vantrel.ini");
    Save(path, MainPreferences{});
    std::array<int, kColumnWidthCount> ones;
    ones.fill(1);
    EXPECT_EQ(folder.Read(JoinPath("Vantrel", "vantrel.ini")),
              "[General]\r\nPreferencesAutorun = 1\r\nPreferencesRemain = 1\r\nPreferencesReactivateExplorer = 0\r\n"
              "PreferencesOptimize = 1\r\nPreferencesSticky = 1\r\nPreferencesWindowTitle = 1\r\n"
              "PreferencesCPUPerProcess = 1\r\nPreferencesUseComma = 0\r\nPreferencesPPIDView = 1\r\n"
              "PreferencesUseDatabase = 1\r\nPreferencesLanguageFile = \r\nPreferencesExitCodeSpin = 1067\r\n"
              "PreferencesSearchString = http://www.google.com/search?q=%22<%1>%22\r\n"
              "PreferencesRefresh1Spin = 2500\r\nPreferencesRefresh2Spin = 500\r\n"
              "\r\n[Window]\r\nX = -1\r\nY = -1\r\nWidth = 640\r\nHeight = 500\r\nMaximized = 0\r\n"
              "\r\n[Column]\r\n" +
                  NumberedLines("PreferencesShow", kColumnFlagCount, ones) + "\r\n[ColumnWidth]\r\n" +
                  NumberedLines("PreferencesColumnWidth", kColumnWidthCount,
                                {200, 100, 150, 150, 60, 60, 80, 80, 80,  45,  45,
                                 110, 100, 100, 100, 60, 60, 60, 60, 100, 100, 200}));
}

TEST(PreferencesDefaults, SaveAndLoadAgree) {
    TemporaryFolder folder;
    std::string path = folder.File("vantrel.ini");
    folder.Write("vantrel.ini",
                 "[Systray]\nPreferencesColorCPU=255\n; the tray's own\n[SMARTMonitoring]\nDrive0=5\nDrive3=9\n");
    MainPreferences saved;
    saved.PreferencesRemain = 0;
    saved.PreferencesLanguageFile = "Deutsch.ini";
    saved.PreferencesSearchString = "http://example.org/?q=<%1>";
    saved.PreferencesRefresh1Spin = 1000;
    saved.Window = {10, 20, 800, 600, 1};
    saved.PreferencesShow[3] = 0;
    saved.PreferencesColumnWidth[3] = 0;  // a hidden column
    saved.PreferencesColumnWidth[5] = 77;
    saved.DatabaseAccountName = "me";
    saved.DatabaseAccountPassword = "  secret ";
    saved.SMARTMonitoring[0] = ParseMonitoredAttributes("197,5");
    saved.SMARTMonitoring[15].set(255);
    Save(path, saved);

    MainPreferences loaded = Load(path, true);
    EXPECT_EQ(loaded.PreferencesRemain, 0);
    EXPECT_EQ(loaded.PreferencesLanguageFile, "Deutsch.ini");
    EXPECT_EQ(loaded.PreferencesSearchString, saved.PreferencesSearchString);
    EXPECT_EQ(loaded.PreferencesRefresh1Spin, 1000);
    EXPECT_EQ(loaded.Window.X, 10);
    EXPECT_EQ(loaded.Window.Maximized, 1);
    EXPECT_EQ(loaded.PreferencesShow[3], 0);
    EXPECT_EQ(loaded.PreferencesColumnWidth[3], kHiddenColumnSavedWidth);  // comes back 200 wide
    EXPECT_EQ(loaded.PreferencesColumnWidth[5], 77);
    EXPECT_EQ(loaded.DatabaseAccountName, "me");
    EXPECT_EQ(loaded.DatabaseAccountPassword, "secret ");  // leading blanks do not survive the file

    SettingsFile file;
    ASSERT_TRUE(OpenSettingsFile(file, path));
    SelectGroup(file, "Systray");
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesColorCPU", 0), 255);
    SelectGroup(file, "SMARTMonitoring");
    EXPECT_EQ(ReadSettingString(file, "Drive0", ""), "5,197");
    EXPECT_EQ(ReadSettingString(file, "Drive3", "none"), "none");  // no longer monitored
    EXPECT_EQ(loaded.SMARTMonitoring, saved.SMARTMonitoring);
    EXPECT_NE(folder.Read("vantrel.ini").find("; the tray's own"), std::string::npos);
}

TEST(PreferencesDefaults, EmptyAccountRemovesTheDatabaseGroup) {
    TemporaryFolder folder;
    std::string path = folder.File("vantrel.ini");
    MainPreferences preferences;
    preferences.DatabaseAccountName = "me";
    Save(path, preferences);
    EXPECT_NE(
        folder.Read("vantrel.ini").find("[Database]\r\nDatabaseAccountName = me\r\nDatabaseAccountPassword = \r\n"),
        std::string::npos);
    preferences.DatabaseAccountName.clear();
    Save(path, preferences);
    EXPECT_EQ(folder.Read("vantrel.ini").find("[Database]"), std::string::npos);
    EXPECT_EQ(folder.Read("vantrel.ini").find("DatabaseAccount"), std::string::npos);
}

TEST(PreferencesDefaults, ChosenRatingServerSurvivesWithoutAnAccountAndBadValuesFallBack) {
    TemporaryFolder folder;
    std::string path = folder.File("vantrel.ini");
    MainPreferences preferences;
    preferences.DatabaseServerHost = "ratings.example.net";
    preferences.DatabaseServerPort = 8080;
    Save(path, preferences);
    std::string text = folder.Read("vantrel.ini");
    EXPECT_NE(text.find("DatabaseServerHost = ratings.example.net"), std::string::npos);
    EXPECT_EQ(text.find("DatabaseAccount"), std::string::npos) << "no account, no account keys";
    MainPreferences loaded = Load(path, false);
    EXPECT_EQ(loaded.DatabaseServerHost, "ratings.example.net");
    EXPECT_EQ(loaded.DatabaseServerPort, 8080);

    // Back to the defaults: the group goes, as it does without a server of one's own.
    Save(path, MainPreferences{});
    EXPECT_EQ(folder.Read("vantrel.ini").find("[Database]"), std::string::npos);

    folder.Write("vantrel.ini", "[Database]\nDatabaseServerHost=\nDatabaseServerPort=70000\n");
    loaded = Load(path, false);
    EXPECT_EQ(loaded.DatabaseServerHost, "localhost");
    EXPECT_EQ(loaded.DatabaseServerPort, 80);
}

TEST(PreferencesDefaults, MissingKeysKeepCurrentValuesAndWidthsAreOptional) {
    TemporaryFolder folder;
    folder.Write(
        "vantrel.ini",
        "[General]\nPreferencesSticky=0\nPreferencesExitCodeSpin=abc\n[ColumnWidth]\nPreferencesColumnWidth0=321\n"
        "[Window]\nX=5\n");
    MainPreferences withoutWidths = Load(folder.File("vantrel.ini"), false);
    EXPECT_EQ(withoutWidths.PreferencesSticky, 0);
    EXPECT_EQ(withoutWidths.PreferencesExitCodeSpin, 0);  // not a number
    EXPECT_EQ(withoutWidths.PreferencesRefresh2Spin, 500);
    EXPECT_EQ(withoutWidths.PreferencesColumnWidth[0], 200);
    EXPECT_EQ(withoutWidths.Window.X, 5);
    EXPECT_EQ(withoutWidths.Window.Y, -1);
    EXPECT_EQ(Load(folder.File("vantrel.ini"), true).PreferencesColumnWidth[0], 321);
}

TEST(PreferencesDefaults, TrayReadsItsOwnDefaults) {
    TemporaryFolder folder;
    std::string path = folder.File("vantrel.ini");
    TrayPreferences noFile;
    ReadTrayPreferences(path, noFile);
    EXPECT_EQ(noFile.PreferencesRemain, 1);
    EXPECT_EQ(noFile.PreferencesColorCPU, 16777214);
    EXPECT_FALSE(WriteTraySetting(path, "PreferencesShowValues", 0));  // no file, no write
    EXPECT_FALSE(FileExists(path));

    folder.Write("vantrel.ini", "[General]\nPreferencesLanguageFile=Deutsch.ini\n[Systray]\nPreferencesColorRAM=1\n");
    TrayPreferences withFile;
    ReadTrayPreferences(path, withFile);
    EXPECT_EQ(withFile.PreferencesRemain, 0);  // the file exists without the key
    EXPECT_EQ(withFile.PreferencesColorRAM, 1);
    EXPECT_EQ(withFile.PreferencesColorSwap, 65535);
    EXPECT_EQ(withFile.PreferencesLanguageFile, "Deutsch.ini");

    EXPECT_TRUE(WriteTraySetting(path, "PreferencesShowValues", 0));
    EXPECT_EQ(folder.Read("vantrel.ini"),
              "[General]\r\nPreferencesLanguageFile = Deutsch.ini\r\n\r\n[Systray]\r\nPreferencesColorRAM = 1\r\n"
              "PreferencesShowValues = 0\r\n");
}

TEST(PreferencesDefaults, MonitoredAttributeLists) {
    std::bitset<kSmartAttributeNumbers> attributes = ParseMonitoredAttributes("197,5,196");
    EXPECT_EQ(attributes.count(), 3u);
    EXPECT_EQ(FormatMonitoredAttributes(attributes), "5,196,197");
    // Out of the table and non-numbers are dropped rather than reaching outside it.
    EXPECT_EQ(FormatMonitoredAttributes(ParseMonitoredAttributes("256,-1,x5,,7 , 9,0,255")), "0,7,9,255");
    EXPECT_EQ(FormatMonitoredAttributes(ParseMonitoredAttributes("")), "");
    EXPECT_EQ(FormatMonitoredAttributes(ParseMonitoredAttributes("99999999999999999999,3")), "3");
}

}  // namespace
