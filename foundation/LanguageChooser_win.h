#pragma once

#include <windows.h>

#include <string>

// The language chooser (a combo box) of the preferences window.

// Fills the combo box with one entry per language file and selects the current one.
void ListLanguages(HWND comboBox, const std::string& currentLanguageFile);
// Selects the entry of this file name (exact, with letter case); no selection when there is none.
void SelectLanguageEntry(HWND comboBox, const std::string& fileName);
// The file name of the chosen entry; empty when nothing is chosen.
std::string SelectedLanguageFile(HWND comboBox);
