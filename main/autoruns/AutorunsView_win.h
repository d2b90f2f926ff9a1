#pragma once
// The autorun list (ViewAutoruns) with its details panel: an owner-data list over a row table,
// rebuilt from scratch by every refresh with sort, selected row index and scroll position kept.

#include <windows.h>

#include <string>

#include "foundation/PreferencesDefaults.h"
#include "main/TableListView_win.h"
#include "main/database/RatingLookup.h"

TableListView& AutorunsList();
// The list and the details panel in the view; ratings come from the database while the preferences
// allow it, and web searches use their template.
void CreateAutorunsView(HWND view, HFONT font, const MainPreferences* preferences, RatingDatabase* database);
// The list above the details panel, both above the view's check box.
void LayoutAutorunsView(int width, int height);

// Scans every location again (the system ones while the view's check box is checked) and rebuilds
// the list, then the details panel.
void RefreshAutoruns();
// The details of the selected row; each field is written only when its text changed, the icons
// only when forced or when another row was selected.
void UpdateAutorunDetails(bool force);

// The view's commands: remove (CommandEnd), web search (CommandWebSearch), the registry editor or
// folder of the entry and the target's folder (CommandExploreAutorunSource and ...Target), and a
// click on the system autoruns check box. True when the identifier was one of them.
bool RunAutorunsCommand(int id);
// The list's notifications: texts, colours, selection (which updates the details) and sorting.
bool HandleAutorunsNotification(const NMHDR& header, LRESULT& result);
