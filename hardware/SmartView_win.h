#pragma once
// The SMART view of the main window: the hard-disk list (ControlHarddiskList) with every drive that
// has a serial number, its health and colour, and below it the attribute list
// (ControlSmartAttributeList) of the selected drive, whose check boxes choose the attributes the tray
// companion watches.

#include <windows.h>

#include "foundation/PreferencesDefaults.h"
#include "main/TableListView_win.h"

// The check boxes show and change `selection`, which outlives the lists.
void CreateSmartLists(HWND view, SmartSelection* selection);
// The drive list above, a fixed band for a few drives; the attribute list fills the rest.
void LayoutSmartLists(int width, int height);

// Reads every drive and rebuilds the drive list, then the attribute list of the selected drive, each
// keeping its selection and scroll position.
void RefreshSmartView();

// Both lists' notifications: texts, colours, sorting; a new selection in the drive list reads that
// drive and fills the attribute list; a click on an attribute's check box (or the space bar on the
// focused row) turns its monitoring on or off.
bool HandleSmartListsNotification(const NMHDR& header, LRESULT& result);
// Whether the monitoring selection changed since the last call, so that it is saved.
bool TakeSmartSelectionChange();
// ContextMenuSmart for a right click on the attribute list, or 0.
int SmartListsContextMenu(const NMHDR& header);

TableListView& SmartDriveList();
TableListView& SmartAttributeList();
// Selects the drive list's row (kNoRow: none) and fills the attribute list with that drive's values,
// as a click on the row does; returns the attribute list.
TableListView& ShowSmartDriveRow(size_t row);
// The drive whose attributes the attribute list shows, or -1.
int SmartShownDrive();
