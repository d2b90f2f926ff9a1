#pragma once
// The frame that the rating dialog and the account dialog share: a window titled with the product
// name, light blue with a white panel, centred over the main window, run modally with the main and
// tool windows disabled meanwhile. And what the database commands need from the program.

#include <windows.h>

#include <string>
#include <vector>

#include "foundation/PreferencesDefaults.h"
#include "main/Geometry.h"
#include "main/database/RatingLookup.h"
#include "main/database/RatingProgress_win.h"

struct DatabaseContext {
    RatingDatabase* database = nullptr;
    MainPreferences* preferences = nullptr;  // the account and the database switch
    void (*saveAccount)() = nullptr;         // writes the account to the settings file at once
    RatingProgressSetup progress;            // the window shown while the server is waited for
    HINSTANCE instance = nullptr;
    HWND owner = nullptr;               // the main window; the dialogs stand over it
    std::vector<HWND> disabledWindows;  // the main and tool windows, disabled while a dialog is open
    HFONT font = nullptr;
    std::string title;  // the product name
};

// One open dialog. `result` is -1 while it is open, then IDOK or IDCANCEL; `command` handles the
// dialog's own controls (true when it did), Cancel and closing end it without one.
struct DatabaseDialog {
    HWND window = nullptr;
    int result = -1;
    bool (*command)(DatabaseDialog& dialog, int id, int code) = nullptr;
    void* state = nullptr;  // the dialog's own
    HFONT font = nullptr;
};

// Creates the hidden window of that outer size over the owner, kept on the work area.
bool CreateDatabaseDialog(DatabaseDialog& dialog, const DatabaseContext& context, int width, int height);
HWND AddDialogControl(DatabaseDialog& dialog,
                      const char* kind,
                      const std::string& text,
                      DWORD style,
                      const WindowPlacement& at,
                      int id);
// Shows the dialog with the focus on `focus` and takes the program's events until it has its
// result; then destroys it and enables again what it disabled. Returns the result.
int RunDatabaseDialog(DatabaseDialog& dialog, const DatabaseContext& context, HWND focus);

// The context for a dialog or wait opened from within `dialog`: it stands over it and disables it too.
DatabaseContext ContextOver(const DatabaseContext& context, HWND dialog);

// A control's whole text.
std::string ControlText(HWND control);
