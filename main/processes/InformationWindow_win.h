#pragma once
// The process information window (window 3): the details of the process list's current row, its
// usage bars and loaded modules, or a summary of the system when no row is selected.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "main/RowTable.h"

void FillInformationWindow(HWND window, HFONT font);
// Where the autostart field looks a process up; may be null.
void SetInformationAutoruns(const RowTable* autoruns);
// Redraws the window for the current process row (or the summary); nothing while it is hidden
// unless forced. Fields are written only when their text changed, the module list only when
// another process is shown.
void RefreshInformationWindow(int force);
// Redraws the window, then shows and activates it.
void ShowInformationWindow();

// Header clicks on the module list sort it; true when the notification was the module list's.
bool HandleInformationWindowNotification(const NMHDR& header);

// The pixels of a bar last drawn (0 CPU, 1 physical memory, 2 page file), 0x00BBGGRR.
uint32_t InformationBarPixelAt(int bar, int x, int y);
// How often the module list was refilled, for the tests.
unsigned InformationModuleFills();
