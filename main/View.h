#pragma once
// The views of the main window, in the order of their menu entries and commands.

#include <vector>

#include "foundation/Language.h"
#include "main/WindowSnapping.h"

enum View : int {
    ViewProcesses,
    ViewWindows,
    ViewServices,
    ViewDrivers,
    ViewNetworks,
    ViewMonitor,
    ViewSmart,
    ViewAutoruns,
    ViewCount
};

// The name the view's menu entry and banner show.
LanguageKey ViewName(int view);

// The page of the help file that explains the view; the start page for a view out of range.
const char* ViewHelpPage(int view);

// The row along the bottom of a view that holds its check boxes; the lists and panels above end
// where it begins.
constexpr int kViewCheckBoxRowHeight = 28;

// A check box along the bottom of a view: its text and control identifier.
struct ViewCheckBox {
    LanguageKey text;
    int id;
};
// The view's check boxes, left to right; none for a view out of range.
std::vector<ViewCheckBox> ViewCheckBoxes(int view);

// Where a check box goes in its row along the bottom of a view of that height, given the widths of
// the captions before it and its own.
std::vector<WindowPlacement> ViewCheckBoxPlaces(const std::vector<int>& captionWidths, int viewHeight);

// The view that the list timer refreshes while `currentView` is shown, or -1: the drivers and
// autoruns views are refreshed only on demand, and the monitor keeps the process list current.
int ViewRefreshedOnTimer(int currentView);
