#pragma once
// The secondary windows of the main program: their numbers, titles, sizes and frames, and which
// windows a modal one keeps disabled.

#include <string>
#include <vector>

#include "foundation/Language.h"
#include "main/WindowSnapping.h"

// All children of the main window (number 0) and hidden until used.
enum SecondaryWindow : int {
    WindowExecute = 1,
    WindowNewAutorun,
    WindowProcessInformation,
    WindowDiagram,
    WindowPreferences,
    WindowSearch,
    WindowAbout,
    WindowDatabaseWait,
    WindowCount
};

struct SecondaryWindowDescription {
    int window;
    LanguageKey title;
    int width;
    int height;
    bool sizable;  // a sizing border and a minimise box
};

extern const SecondaryWindowDescription kSecondaryWindows[WindowCount - 1];

// The title: the language text, or the product name for the database's wait window.
std::string SecondaryWindowTitle(const SecondaryWindowDescription& description);
// The windows that keep the main window and the other listed windows disabled while shown.
bool IsModalWindow(int window);
// The windows a modal window disables, the main window as 0.
extern const int kDisabledWhileModal[4];

extern const char kLicenseText[];

// The about window's controls in a client area of that size: the information panel (the program's
// icon and its texts) and, in its place at the press of License, the license text.
struct AboutLabel {
    int id;
    std::string text;
    WindowPlacement place;
};
struct AboutLayout {
    WindowPlacement icon;
    std::vector<AboutLabel> labels;
    WindowPlacement licenseText;
    WindowPlacement license;
    WindowPlacement information;  // where License is; shown with the license text instead of it
    WindowPlacement close;
};
AboutLayout AboutWindowLayout(int clientWidth, int clientHeight);
