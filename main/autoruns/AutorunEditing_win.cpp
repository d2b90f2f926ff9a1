#include "main/autoruns/AutorunEditing_win.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/CommandIds.h"
#include "main/autoruns/AutorunLocations.h"
#include "main/autoruns/Link_win.h"
#include "main/autoruns/Registry_win.h"
#include "main/processes/ProcessLayer_win.h"

namespace {

bool OpenThroughShell(const std::string& file, const std::string& parameters) {
    HINSTANCE result = ShellExecuteA(nullptr, "open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                     nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

ShellOpenFunction g_shellOpen = OpenThroughShell;

bool Confirmed(LanguageKey question, const std::string& location) {
    return ShowMessageBox(kMainWindowTitle, LanguageTextWith(question, location), kMessageBoxQuestion) == kAnswerYes;
}

void ShowFailure(LanguageKey failure, const std::string& location) {
    ShowMessageBox(LanguageText(LanguageKey::Information), LanguageTextWith(failure, location), kMessageBoxWarning);
}

// Deletes the value, or for a comma-list row writes the value back without the row's item.
bool RemoveRegistryValue(const RegistryPlace& key, const std::string& name, const std::string& command) {
    if (IsCommaListLocation(key.path, name)) {
        std::string list = ReadRegistryText(key.path, name, key.view);
        std::string rest = CommaListWithout(list, command);
        if (rest != list) {
            return WriteRegistryValue(key.path, name, rest, kRegistryString, key.view) == 1;
        }
    }
    return DeleteRegistryValue(key.path, name, key.view) == 1;
}

bool RemoveRegistryEntry(const std::string& location, const std::string& command) {
    const RegistryPlace place = RegistryPlaceOfPath(location, HasSecondRegistryView());
    if (RegistryKeyExists(place.path, place.view)) {
        if (!Confirmed(LanguageKey::ReallyDeleteKey, location)) {
            return false;
        }
        if (DeleteRegistryKey(place.path, place.view) == 1) {
            return true;
        }
        ShowFailure(LanguageKey::CanNotDeleteKey, location);
        return false;
    }
    const RegistryPlace key{LocationKeyPath(place.path), place.view};
    const std::string name = SplitLocation(place.path).name;
    if (RegistryValueExists(key.path, name, key.view) != 1) {
        return false;  // gone already: the refresh drops the row
    }
    if (!Confirmed(LanguageKey::ReallyDeleteKey, location)) {
        return false;
    }
    if (RemoveRegistryValue(key, name, command)) {
        return true;
    }
    ShowFailure(LanguageKey::CanNotDeleteKey, location);
    return false;
}

}  // namespace

ShellOpenFunction SetShellOpenFunction(ShellOpenFunction function) {
    ShellOpenFunction before = g_shellOpen;
    g_shellOpen = function != nullptr ? function : OpenThroughShell;
    return before;
}

bool AddAutorun(const NewAutorunChoice& choice, const std::string& program, const std::string& parameters) {
    if (!choice.registry) {
        std::string folder = SpecialFolderPath(choice.allUsers ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP);
        return !folder.empty() &&
               CreateShortcut(program, folder + "\\" + NewAutorunLinkName(program), NewAutorunWorkingFolder(program),
                              parameters, kShowNormal, LanguageText(LanguageKey::AutorunCreatedByVTL), 0,
                              kShortcutIconIsTarget, 0) == 1;
    }
    const std::string key = NewAutorunKey(choice);
    // Machine-wide entries go where the system's own programs start from: its native view.
    const RegistryView view =
        IsLocalMachinePath(key) && HasSecondRegistryView() ? RegistryView::Bits64 : RegistryView::Bits32;
    // A new profile may lack the RunOnce key.
    return CreateRegistryKey(key, view) == 1 &&
           WriteRegistryValue(key, NewAutorunValueName(program), NewAutorunValueData(program, parameters),
                              kRegistryString, view) == 1;
}

bool RemoveAutorun(const std::string& typeText, const std::string& location, const std::string& command) {
    if (typeText == LanguageText(LanguageKey::Registry)) {
        return RemoveRegistryEntry(location, command);
    }
    if (typeText != LanguageText(LanguageKey::AutorunDirectory)) {
        return false;
    }
    if (!FileExists(location) || !Confirmed(LanguageKey::ReallyDeleteLink, location)) {
        return false;
    }
    if (DeleteFileA(location.c_str())) {
        return true;
    }
    ShowFailure(LanguageKey::CanNotDeleteLink, location);
    return false;
}

void OpenAutorunInRegistryEditor(const std::string& typeText, const std::string& location) {
    if (typeText != LanguageText(LanguageKey::Registry)) {
        return;
    }
    // The editor opens at the key it remembers; its first element names the tree's root.
    std::string lastKey =
        RegistryEditorLastKey(ReadRegistryText(kRegistryEditorKey, kRegistryEditorLastKey), LocationKeyPath(location));
    if (!lastKey.empty()) {
        WriteRegistryValue(kRegistryEditorKey, kRegistryEditorLastKey, lastKey, kRegistryString);
    }
    g_shellOpen("regedit", "");
}

void ExploreAutorunFolder(const std::string& location) {
    std::string folder = LocationKeyPath(location);
    if (!folder.empty()) {
        g_shellOpen(folder, "");
    }
}

void ExploreAutorunTarget(const std::string& target) {
    std::string folder = LocationKeyPath(target);
    // Explorer is a native program: it takes the system folder's name as meaning the native folder.
    if (!folder.empty()) {
        g_shellOpen(folder, "");
    }
}

void SearchAutorunOnWeb(const std::string& command, const std::string& searchTemplate) {
    std::string name = AutorunSearchName(command);
    if (!name.empty()) {
        g_shellOpen(ReplaceArgument(searchTemplate, name), "");
    }
}
