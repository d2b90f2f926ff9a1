#pragma once
// The views of the main window, in the order of their menu entries and commands.

#include "foundation/Language.h"

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

// The row along the bottom of a view that holds its check boxes; the lists and panels above end
// where it begins.
constexpr int kViewCheckBoxRowHeight = 28;
