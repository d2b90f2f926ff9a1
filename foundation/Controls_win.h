#pragma once
// Child controls of the programs' own windows, created the one way they all share.

#include <windows.h>

#include <string>

// A visible child control at the given place in the parent's client area, with the font (null: the
// default GUI font). Edit fields get the sunken edge that marks them as editable.
HWND AddControl(HWND parent,
                const char* className,
                const std::string& text,
                DWORD style,
                int x,
                int y,
                int width,
                int height,
                int id,
                HFONT font);
