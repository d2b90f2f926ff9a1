#pragma once
// The colour window: the five icon colours, each with its swatch (a click opens the system's
// colour dialog) and a button that brings its default back.

#include <windows.h>

HWND CreateColourWindow(HINSTANCE instance);
// A click on swatch `index` (0 CPU .. 4 NetOutput) and the Default button beside it.
void ChooseIconColour(int index);
void ResetIconColour(int index);
