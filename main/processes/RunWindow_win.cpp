#include "main/processes/RunWindow_win.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/FileChoosers_win.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/CommandIds.h"
#include "main/LibraryTable_win.h"
#include "main/processes/RunHistory.h"

namespace {

std::string ControlText(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    int length = GetWindowTextLengthA(control);
    if (length <= 0)
        return {};
    std::vector<char> text(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(control, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void Browse(HWND window) {
    std::string folder = ProgramFolder(SplitRunCommand(ControlText(window, ControlRunCommand)).program);
    std::string file = ChooseFileToOpen(window, RunBrowseFilter(), LanguageText(LanguageKey::ChooseFile), folder);
    if (!file.empty())
        SetDlgItemTextA(window, ControlRunCommand, QuotedWhenSpaced(file).c_str());
}

void RunTypedCommand(HWND window) {
    std::string command = ControlText(window, ControlRunCommand);
    if (SplitRunCommand(command).program.empty())
        return;
    if (!StartRunCommand(window, command, ControlText(window, ControlRunParameter))) {
        ShowMessageBox(kMainWindowTitle, LanguageTextWith(LanguageKey::CanNotExecute, command), kMessageBoxError);
        return;
    }
    if (AddToRunHistory(RunCommandHistory(), command))
        AddComboBoxText(GetDlgItem(window, ControlRunCommand), RunCommandHistory().back());
    SendMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace

void FillRunWindow(HWND window, HFONT font) {
    RECT client;
    GetClientRect(window, &client);
    const int margin = 8;
    const int buttonWidth = 88;
    int buttonX = client.right - margin - buttonWidth;
    int fieldWidth = buttonX - 2 * margin;
    AddControl(window, "STATIC", LanguageText(LanguageKey::Open) + ":", SS_LEFT, margin, margin, fieldWidth, 14, -1,
               font);
    // The height of a drop-down combo box includes its opened list.
    AddControl(window, "COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, margin, margin + 16,
               fieldWidth, 160, ControlRunCommand, font);
    AddControl(window, "STATIC", LanguageText(LanguageKey::Parameter) + ":", SS_LEFT, margin, margin + 46, fieldWidth,
               14, -1, font);
    AddControl(window, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, margin, margin + 62, fieldWidth, 21,
               ControlRunParameter, font);
    AddControl(window, "BUTTON", LanguageText(LanguageKey::OK), BS_DEFPUSHBUTTON | WS_TABSTOP, buttonX, margin,
               buttonWidth, 24, ControlRunOk, font);
    AddControl(window, "BUTTON", LanguageText(LanguageKey::Cancel), BS_PUSHBUTTON | WS_TABSTOP, buttonX, margin + 30,
               buttonWidth, 24, ControlRunCancel, font);
    AddControl(window, "BUTTON", LanguageText(LanguageKey::Browse) + "...", BS_PUSHBUTTON | WS_TABSTOP, buttonX,
               margin + 60, buttonWidth, 24, ControlRunBrowse, font);
}

void PrepareRunWindow(HWND window) {
    // Resetting the list clears the typed text as well; the last command stays offered.
    std::string command = ControlText(window, ControlRunCommand);
    HWND commandBox = GetDlgItem(window, ControlRunCommand);
    ClearComboBox(commandBox);
    for (const std::string& known : RunCommandHistory())
        AddComboBoxText(commandBox, known);
    SetWindowTextA(commandBox, command.c_str());
    SetDlgItemTextA(window, ControlRunParameter, "");
    SelectAllComboBoxText(commandBox);
}

bool HandleRunWindowCommand(HWND window, int id, int code) {
    if (id != ControlRunOk && id != ControlRunCancel && id != ControlRunBrowse)
        return false;
    if (code != BN_CLICKED)
        return true;
    if (id == ControlRunOk)
        RunTypedCommand(window);
    else if (id == ControlRunCancel)
        SendMessageA(window, WM_CLOSE, 0, 0);
    else
        Browse(window);
    return true;
}

namespace {

bool StartReading(HWND owner, const RunCommand& typed, const std::string& parameters) {
    if (typed.program.empty())
        return false;
    std::string arguments = JoinArguments(typed.arguments, parameters);
    std::string folder = RunWorkingFolder(typed.program);
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof(execute);
    // No message of the shell's own: a failure is reported once, by the caller.
    execute.fMask = SEE_MASK_FLAG_NO_UI;
    execute.hwnd = owner;
    execute.lpFile = typed.program.c_str();
    execute.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    execute.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    execute.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&execute) != FALSE;
}

}  // namespace

bool StartRunCommand(HWND owner, const std::string& command, const std::string& parameters) {
    for (const RunCommand& reading : StartableReadings(command)) {
        if (StartReading(owner, reading, parameters))
            return true;
    }
    return false;
}
