#include "foundation/Help_win.h"

#include <shellapi.h>

#include <string>

#include "foundation/FileSystem.h"
#include "foundation/HelpFiles.h"
#include "foundation/Language.h"
#include "foundation/ProgramPaths_win.h"

bool OpenHelpFile(HWND owner, const char* page) {
    const std::string path = ChooseHelpFile(ProgramFolder(), CurrentLanguage().fileName, FileExists);
    if (path.empty()) {
        return false;
    }
    // hh.exe rather than the file's association: only the viewer takes a page to open.
    const std::string arguments = HelpViewerArguments(path, page ? page : "");
    HINSTANCE result = ShellExecuteA(owner, "open", "hh.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
