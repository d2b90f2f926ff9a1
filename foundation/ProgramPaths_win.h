#pragma once

#include <string>

// Where the programs find their files on Windows.

// The profile folder's "Vantrel\vantrel.ini"; empty when the shell cannot name the profile folder.
std::string SettingsFilePath();
// The folder of the running program file, without a trailing backslash.
std::string ProgramFolder();
// The folder "Language" beside the program file.
std::string LanguageFolder();

// Fills the program-wide catalogue from the language file the settings name (see LoadLanguageFrom).
void LoadLanguage();

// The message box both programs install into the seam at start-up.
int Win32MessageBox(const std::string& title, const std::string& text, unsigned style);
