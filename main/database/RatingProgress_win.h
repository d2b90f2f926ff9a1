#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "main/database/RatingLookup.h"
#include "main/database/RatingProgressLayout.h"

// The small window "searching the database ..." with a marquee bar and Cancel that shows while
// rating queries follow each other quickly. Only its Cancel button (ControlRatingProgressCancel)
// stays live during a lookup pass.

constexpr COLORREF kRatingProgressBackground = RGB(204, 221, 255);

struct RatingProgressSetup {
    HINSTANCE instance = nullptr;
    HWND owner = nullptr;               // the main window
    std::vector<HWND> disabledWindows;  // the main and preferences windows, disabled while it is open
    HFONT font = nullptr;               // null: the default GUI font
    HBITMAP image = nullptr;            // the database image; may be null
    std::string title;                  // the product name
    std::string searchingText;          // SearchingDatabase
    std::string cancelText;             // Cancel
};

// Before each query: shows the caption when the window is open, opens it when asked, then takes
// the program's pending events. Returns true when Cancel was pressed. Fits RatingDatabase::progress.
bool RatingProgressStep(const RatingProgressSetup& setup, const std::string& caption, bool openWindow);

// For the main loop when it gets control again: closes the window, enables the windows it disabled
// and clears the database's cancel flag.
void CloseRatingProgress(RatingDatabase& database);

// The open progress window, or null.
HWND RatingProgressWindow();
