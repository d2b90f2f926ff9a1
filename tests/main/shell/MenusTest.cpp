#include "main/Menus.h"

#include <gtest/gtest.h>

#include <string>

#include "main/CommandIds.h"

namespace {

// A menu's shape: commands, "-" for a separator, "[...]" for a submenu; a disabled entry is starred.
std::string Shape(const std::vector<MenuEntry>& entries) {
    std::string shape;
    for (const MenuEntry& entry : entries) {
        shape += shape.empty() ? "" : " ";
        if (entry.kind == MenuEntryKind::Separator) {
            shape += "-";
        } else if (entry.kind == MenuEntryKind::Submenu) {
            shape += "[" + Shape(entry.entries) + "]";
        } else {
            shape += std::to_string(entry.command) + (entry.enabled ? "" : "*");
        }
    }
    return shape;
}

TEST(Menus, ProcessMenuHasItsSeparatorsAndGreysTheDatabaseWithoutTheSetting) {
    MenuConditions conditions;
    conditions.useDatabase = true;
    EXPECT_EQ(Shape(ContextMenuEntries(ContextMenuProcesses, 2, conditions)),
              "32 - 21 - 22 - 33 34 35 36 - [37 38 39 40 41 42] [43 44] - 555 556 - 20 23 24 25 - 557 558 - "
              "559 560");
    EXPECT_EQ(ContextMenuEntries(ContextMenuProcesses, 2, conditions)[12].entries[1].text, "#2 ");

    // The database entries follow the setting, in the processes' menu only.
    conditions.unbuiltGreyed = false;
    EXPECT_EQ(Shape(ContextMenuEntries(ContextMenuProcesses, 1, conditions)).substr(0, 29),
              "32 - 21 - 22 - 33 34 35 36 - ");
    conditions.useDatabase = false;
    EXPECT_EQ(Shape(ContextMenuEntries(ContextMenuProcesses, 1, conditions)).substr(0, 33),
              "32 - 21 - 22 - 33* 34* 35* 36* - ");
    EXPECT_EQ(Shape(ContextMenuEntries(ContextMenuAutoruns, 1, conditions)), "32 21 22 - 33 34 35 36 - 23 24 589 590");
    EXPECT_TRUE(ContextMenuEntries(1, 1, conditions).empty());
}

TEST(Menus, MenuBarGreysTheExportAndPreferencesEntriesUntilBuilt) {
    std::vector<MenuEntry> bar = MenuBarEntries("", MenuConditions{});
    ASSERT_EQ(bar.size(), 4u);
    EXPECT_EQ(Shape(bar[0].entries), "1 - 2 3 4 5 6 7 8 - 19 - 9");
    EXPECT_EQ(Shape(bar[1].entries), "10 11 12 13 14 15 16 17");
    EXPECT_EQ(Shape(bar[2].entries), "26 27 28 29 30 31");
    EXPECT_EQ(Shape(bar[3].entries), "591 - 592");
}

}  // namespace
