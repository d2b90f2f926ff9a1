#include "tray/TrayProgram_win.h"

#include "foundation/ProgramPaths_win.h"
#include "foundation/ScopedHandles_win.h"

TrayProgram& Tray() {
    static TrayProgram program;
    return program;
}

TrayShellFunctions& TrayShell() {
    static TrayShellFunctions functions = {Shell_NotifyIconA, GetAsyncKeyState, ChooseColorA, ChangeDisplaySettingsExA};
    return functions;
}

void WriteTrayPreference(const char* key, int value) {
    WriteTraySetting(Tray().settingsPath, key, value);
}

void StartMainProgram() {
    std::string folder = ProgramFolder();
    std::string path = folder + "\\vantrel.exe";
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}
