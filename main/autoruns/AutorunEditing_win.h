#pragma once

#include <string>

#include "main/autoruns/AutorunEditing.h"

// Adding and removing autoruns and the jumps to the registry editor, the target's folder and the
// web. They act on the registry view and the file that a row of the autorun list names, and show
// their questions and failures themselves.

// Opening a document, folder or program through the shell; tests put a recorder in its place, as
// the registry editor, Explorer and a browser must not really open there.
using ShellOpenFunction = bool (*)(const std::string& file, const std::string& parameters);
ShellOpenFunction SetShellOpenFunction(ShellOpenFunction function);

// Writes the shortcut or the Run value; true when it was written.
bool AddAutorun(const NewAutorunChoice& choice, const std::string& program, const std::string& parameters);

// Removes what the row of that type text (column 3) and location (column 5) names after asking;
// a comma-list row loses only its item (`command`, column 4) from the value. True when something
// was removed.
bool RemoveAutorun(const std::string& typeText, const std::string& location, const std::string& command);

// Points the registry editor at the row's key and starts it; nothing for a shortcut row.
void OpenAutorunInRegistryEditor(const std::string& typeText, const std::string& location);
// The folder that holds the shortcut, in Explorer.
void ExploreAutorunFolder(const std::string& location);
// The folder of the target, in Explorer.
void ExploreAutorunTarget(const std::string& target);
// The command's file name in the search template's "<%1>", opened by the shell.
void SearchAutorunOnWeb(const std::string& command, const std::string& searchTemplate);
