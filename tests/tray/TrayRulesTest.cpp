// The opacity hot key's levels, the display-mode entries, the menu's toggles and the loop's stamps.
#include <gtest/gtest.h>

#include "tests/harness/TestSupport.h"
#include "tray/DisplayModes.h"
#include "tray/OpacityHotKey.h"
#include "tray/TrayMenu.h"
#include "tray/TraySchedule.h"

namespace {

TEST(OpacityHotKey, LevelsForMouseMoves) {
    EXPECT_EQ(OpacityLevelForMove(0), 0);
    EXPECT_EQ(OpacityLevelForMove(29), 1);
    EXPECT_EQ(OpacityLevelForMove(30), 1);
    EXPECT_EQ(OpacityLevelForMove(275), 9);
    EXPECT_EQ(OpacityLevelForMove(400), 9);
    EXPECT_EQ(OpacityLevelForMove(-100), 0);
    EXPECT_EQ(kOpacityAlphas[9], 26);
    EXPECT_EQ(OpacityCellLabel(3), "30%");
}

TEST(OpacityHotKey, PressMoveAndRelease) {
    OpacityState state;
    // Over the desktop nothing happens.
    OpacityTurn turn = OpacityHotKeyTurn(state, true, ForegroundKind::Desktop, 100, 100);
    EXPECT_FALSE(turn.showBar || turn.applyAlpha);
    turn = OpacityHotKeyTurn(state, true, ForegroundKind::ProgramManager, 100, 100);
    EXPECT_FALSE(turn.showBar || turn.applyAlpha);

    turn = OpacityHotKeyTurn(state, true, ForegroundKind::Window, 100, 100);
    EXPECT_TRUE(turn.takeTarget && turn.showBar);
    EXPECT_EQ(turn.barX, 85);
    EXPECT_EQ(turn.barY, 90);
    EXPECT_TRUE(turn.applyAlpha);  // the first turn sets full opacity
    EXPECT_EQ(turn.alpha, 255);

    turn = OpacityHotKeyTurn(state, true, ForegroundKind::Window, 375, 120);
    EXPECT_TRUE(turn.applyAlpha);
    EXPECT_FALSE(turn.showBar);
    EXPECT_EQ(turn.alpha, 26);
    EXPECT_EQ(state.level, 9);
    // Unchanged level: nothing to apply.
    turn = OpacityHotKeyTurn(state, true, ForegroundKind::Window, 380, 120);
    EXPECT_FALSE(turn.applyAlpha);

    turn = OpacityHotKeyTurn(state, false, ForegroundKind::Window, 380, 120);
    EXPECT_TRUE(turn.hideBar);
    EXPECT_EQ(state.level, -1);
    turn = OpacityHotKeyTurn(state, false, ForegroundKind::Window, 380, 120);
    EXPECT_FALSE(turn.hideBar);
}

TEST(DisplayModes, EntriesFilteredCheckedAndNumbered) {
    DisplayModeTable table;
    DisplayMode current{1024, 768, 60, 32};
    std::vector<DisplayMode> modes = {
        {800, 600, 60, 32}, {1024, 768, 60, 32}, {1024, 768, 75, 32}, {1024, 768, 60, 16}, {800, 600, 60, 32}};
    MonitorModeMenu menu = BuildMonitorModeMenu(table, "\\\\.\\DISPLAY1", current, modes);
    ASSERT_EQ(menu.resolutions.size(), 3u);  // the twice-listed mode twice
    EXPECT_EQ(menu.resolutions[1].text, "1024 x 768");
    EXPECT_TRUE(menu.resolutions[1].checked);
    EXPECT_FALSE(menu.resolutions[0].checked);
    ASSERT_EQ(menu.frequencies.size(), 2u);
    EXPECT_EQ(menu.frequencies[1].text, "75 Hz");
    ASSERT_EQ(menu.depths.size(), 2u);
    EXPECT_EQ(menu.depths[1].text, "16 Bit");
    EXPECT_EQ(menu.resolutions[0].command, 29);
    EXPECT_EQ(menu.depths[1].command, 35);
    const DisplayModeEntry* entry = DisplayModeOfCommand(table, 35);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->mode.bitsPerPixel, 16);
    EXPECT_EQ(entry->device, "\\\\.\\DISPLAY1");
    EXPECT_EQ(DisplayModeOfCommand(table, 36), nullptr);

    // Modes at the default rate (0) go with the current rate.
    DisplayModeTable defaults;
    MonitorModeMenu atDefault = BuildMonitorModeMenu(defaults, "D", current, {{1280, 800, 0, 32}, {1024, 768, 0, 32}});
    ASSERT_EQ(atDefault.resolutions.size(), 2u);
    EXPECT_TRUE(atDefault.resolutions[1].checked);

    // A second monitor continues the numbers.
    MonitorModeMenu second = BuildMonitorModeMenu(table, "\\\\.\\DISPLAY2", current, {current});
    EXPECT_EQ(second.resolutions[0].command, 36);
}

TEST(DisplayModes, TableNeverOverflows) {
    DisplayModeTable table;
    DisplayMode current{1024, 768, 60, 32};
    std::vector<DisplayMode> many(400, current);
    MonitorModeMenu menu = BuildMonitorModeMenu(table, "D", current, many);
    EXPECT_EQ(menu.resolutions.size() + menu.frequencies.size() + menu.depths.size(), 228u);
    EXPECT_EQ(menu.resolutions.back().command, 256);
    EXPECT_EQ(table.entries.size(), 257u);
    EXPECT_EQ(DisplayModeOfCommand(table, 257), nullptr);
    EXPECT_EQ(MonitorMenuTitle("Wine Adapter", "\\\\.\\DISPLAY1", "(Generic Monitor)"),
              "Wine Adapter (\\\\.\\DISPLAY1) - Generic Monitor");
}

TEST(TrayMenu, SmartToggleGreysAndClearsBalloons) {
    TrayPreferences preferences;
    std::vector<SettingChange> changes = FlipToggle(preferences, TrayCommandMonitorSmart);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_STREQ(changes[1].key, "PreferencesMonitorSMARTBalloon");
    EXPECT_EQ(preferences.PreferencesMonitorSMARTBalloon, 0);
    EXPECT_FALSE(ToggleEnabled(preferences, TrayCommandMonitorSmartBalloon));
    EXPECT_TRUE(FlipToggle(preferences, TrayCommandMonitorSmartBalloon).empty());
    // On again: enabled, still unchecked.
    changes = FlipToggle(preferences, TrayCommandMonitorSmart);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(ToggleEnabled(preferences, TrayCommandMonitorSmartBalloon));
    EXPECT_FALSE(ToggleChecked(preferences, TrayCommandMonitorSmartBalloon));
    EXPECT_EQ(StoredIconColour(0xFFFFFF), 0xFFFFFE);
    EXPECT_EQ(StoredIconColour(0x123456), 0x123456);
}

TEST(TrayMenu, EntriesWithTextsAndEllipses) {
    UseSourceLanguage();
    const std::vector<TrayMenuEntry>& entries = TrayMenuEntries();
    ASSERT_EQ(entries.size(), 26u);
    EXPECT_EQ(TrayMenuText(entries.front()), "Open Vantrel");
    EXPECT_EQ(TrayMenuText(entries[13]), "Icon Colors...");
    EXPECT_EQ(TrayMenuText(entries[15]), "Windows");
    for (const TrayMenuEntry& entry : entries) {
        EXPECT_LT(entry.command, kFirstDisplayModeCommand);
        EXPECT_TRUE(entry.kind == TrayEntryKind::Separator || entry.icon != 0) << TrayMenuText(entry);
    }
}

TEST(TraySchedule, StampsRunTasksOnTheirOwnIntervals) {
    TrayStamps stamps;
    StartTrayStamps(stamps, 10);  // the icon's stamp lies before 0: the tick count wraps
    DueTrayTasks due = TakeDueTrayTasks(stamps, 10, true, true);
    EXPECT_TRUE(due.icon);
    EXPECT_FALSE(due.agency || due.smartLog || due.priorityWatch);
    due = TakeDueTrayTasks(stamps, 211, true, true);
    EXPECT_TRUE(due.agency);
    EXPECT_FALSE(due.icon);
    due = TakeDueTrayTasks(stamps, 1011, true, false);
    EXPECT_TRUE(due.icon);
    EXPECT_FALSE(due.priorityWatch);  // switched off
    due = TakeDueTrayTasks(stamps, 60011, false, true);
    EXPECT_FALSE(due.smartLog);
    EXPECT_TRUE(due.priorityWatch);
}

}  // namespace
