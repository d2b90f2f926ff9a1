// Writes a shortcut for the lnkinfo comparison: LinkWriter <folder>. Creates "<folder>\target.exe"
// and "<folder>\check.lnk" with arguments, an empty working directory and icon "|", and
// "<folder>\autostart.lnk" as the preferences write the tray companion's startup shortcut.
#include <cstdio>
#include <fstream>
#include <string>

#include "main/autoruns/Link_win.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: LinkWriter <folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    std::string target = folder + "target.exe";
    std::ofstream(target, std::ios::binary) << "MZ";
    int saved = CreateShortcut(target, folder + "check.lnk", "", "-Autorun /x", 1, "Vantrel lnkinfo check", 0, "|", 0);
    int autostart = CreateShortcutFromRecord(folder + "autostart.lnk", AutostartShortcutRecord(folder));
    std::printf("%s\n", target.c_str());
    return saved == 1 && autostart == 1 ? 0 : 1;
}
