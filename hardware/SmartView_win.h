#pragma once
// The SMART view of the main window: the hard-disk list (ControlHarddiskList) with every drive that
// has a serial number, its health and colour, and below it the attribute list
// (ControlSmartAttributeList) of the selected drive.

#include <windows.h>

#include "main/TableListView_win.h"

void CreateSmartLists(HWND view);
// The drive list above, a fixed band for a few drives; the attribute list fills the rest.
void LayoutSmartLists(int width, int height);

// Reads every drive and rebuilds the drive list, then the attribute list of the selected drive, each
// keeping its selection and scroll position.
void RefreshSmartView();

// Both lists' notifications: texts, colours, sorting; a new selection in the drive list reads that
// drive and fills the attribute list.
bool HandleSmartListsNotification(const NMHDR& header, LRESULT& result);
// ContextMenuSmart for a right click on the attribute list, or 0.
int SmartListsContextMenu(const NMHDR& header);

TableListView& SmartDriveList();
TableListView& SmartAttributeList();
// Selects the drive list's row (kNoRow: none) and fills the attribute list with that drive's values,
// as a click on the row does; returns the attribute list.
TableListView& ShowSmartDriveRow(size_t row);
// The drive whose attributes the attribute list shows, or -1.
int SmartShownDrive();
