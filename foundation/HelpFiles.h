#pragma once

#include <string>

// The help files beside the programs: one per language, named after the language file.

constexpr char kDefaultHelpFile[] = "vantrel.chm";

// "vantrel.chm" for the default language file (or none), otherwise "vantrel-" and the language
// file's name without ".ini", ".chm": "Deutsch.ini" gives "vantrel-Deutsch.chm".
std::string HelpFileName(const std::string& languageFile);

// The help file to open from folder: the one of the language if it is there, else the default
// one if that is there, else empty. exists answers whether a path names a file.
std::string ChooseHelpFile(const std::string& folder,
                           const std::string& languageFile,
                           bool (*exists)(const std::string& path));

// The command line that makes the help viewer open page (a page of the file, or empty for its
// start page) of the help file at path; the path is quoted, since it may hold spaces.
std::string HelpViewerArguments(const std::string& path, const std::string& page);
