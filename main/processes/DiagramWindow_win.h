#pragma once
// The diagram window (window 4): the series chooser, the pie of the process list's rows and the
// details panel beside it. It keeps no data of its own: each drawing reads the process list.

#include <windows.h>

#include <cstdint>

void FillDiagramWindow(HWND window, HFONT font);
// Shows the window (drawn at once) or hides it when it is visible.
void ToggleDiagramWindow(HWND window);
// Draws the chosen series and shows the details of what lies under the pointer; nothing while the
// window is hidden.
void DrawDiagramWindow(HWND window);
// The chooser's and the image's commands; true when the identifier was one of them.
bool HandleDiagramWindowCommand(HWND window, int id, int code);
// Selects the process under a point of the window in the process list, as a double click does.
void DiagramClickAt(HWND window, int x, int y);

// The pixels last drawn, 0x00BBGGRR, for a look from outside.
uint32_t DiagramWindowPixel(int x, int y);
