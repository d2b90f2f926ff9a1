#pragma once

#include <windows.h>

// Opens the help file of the current language in the system's help viewer at page (a page of the
// file such as "processes.htm", or nullptr for its start page). False when no help file is there or
// the viewer does not start; the caller tells the user.
bool OpenHelpFile(HWND owner, const char* page);
