// Writes shortcuts for the lnkinfo comparison: LinkWriter <folder> [--autorun]. Creates
// "<folder>\target.exe" and "<folder>\check.lnk" with arguments, an empty working directory and
// icon "|", and "<folder>\autostart.lnk" as the preferences write the tray companion's startup
// shortcut; with --autorun, check.lnk is instead the one adding the target as a startup-folder
// autorun writes, moved from the startup folder to the same place.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "main/autoruns/AutorunEditing_win.h"
#include "main/autoruns/Link_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "tests/harness/TestSupport.h"

#include <shlobj.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: LinkWriter <folder> [--autorun]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    std::string target = folder + "target.exe";
    std::ofstream(target, std::ios::binary) << "MZ";
    std::printf("%s\n", target.c_str());
    if (argc > 2 && std::strcmp(argv[2], "--autorun") == 0) {
        UseSourceLanguage();
        if (!AddAutorun(NewAutorunChoice{}, target, "-Autorun /x")) {
            return 1;
        }
        std::string link = SpecialFolderPath(CSIDL_STARTUP) + "\\" + NewAutorunLinkName(target);
        return MoveFileExA(link.c_str(), (folder + "check.lnk").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
    }
    int saved = CreateShortcut(target, folder + "check.lnk", "", "-Autorun /x", 1, "Vantrel lnkinfo check", 0, "|", 0);
    int autostart = CreateShortcutFromRecord(folder + "autostart.lnk", AutostartShortcutRecord(folder));
    return saved == 1 && autostart == 1 ? 0 : 1;
}
