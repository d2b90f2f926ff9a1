#pragma once
// The row of image buttons at the top of the main window: one per command, with tool tips.

#include <windows.h>

// Creates the buttons, their icons and their tool tips (those of the processes view).
void CreateImageButtons();
// Draws a button that asks for it; false when the item is no image button.
bool DrawImageButton(const DRAWITEMSTRUCT& item);
void SetImageButtonEnabled(int command, bool enabled);
// The tool tips of the buttons whose command depends on the view (run, end, web search).
void SetImageButtonTooltips(int view);
// Redraws the image buttons; the one under the mouse is drawn highlighted.
void UpdateHotButton();
