#pragma once
// The row of image buttons at the top of the main window: its commands, their tool tips per view,
// and which of them are live for a view and its selection.

#include <array>

#include "foundation/Language.h"
#include "main/CommandIds.h"

// In their order from the left.
constexpr std::array<int, 9> kButtonCommands = {
    CommandTaskManager, CommandRun,       CommandPreferences,        CommandDiagram, CommandSearch,
    CommandEnd,         CommandWebSearch, CommandProcessInformation, CommandRefresh};
constexpr int kButtonSize = 28;

// The button's index from the left, or -1.
int ButtonIndex(int command);
// The left edge of a button in the main window's client area.
int ButtonLeft(int index);
LanguageKey ButtonTooltip(int command, int view);
// True for the buttons whose command, and so whose tool tip, depends on the view.
bool ButtonFollowsView(int command);
// Whether a button is live in `view` with or without a selected row in the view's list.
bool ButtonEnabled(int command, int view, bool selected);
