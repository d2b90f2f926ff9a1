#include "main/autoruns/NewAutorunWindow_win.h"

#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/FileChoosers_win.h"
#include "foundation/Language.h"
#include "main/CommandIds.h"
#include "main/autoruns/AutorunEditing_win.h"
#include "main/autoruns/AutorunsView_win.h"
#include "main/processes/RunHistory.h"
#include "main/processes/RunWindow_win.h"

namespace {

const COLORREF kBackground = RGB(204, 221, 255);

std::string ControlText(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    int length = GetWindowTextLengthA(control);
    if (length <= 0) {
        return {};
    }
    std::vector<char> text(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(control, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

bool Checked(HWND window, int id) {
    return IsDlgButtonChecked(window, id) == BST_CHECKED;
}

void EnableOk(HWND window, const std::string& program) {
    EnableWindow(GetDlgItem(window, ControlNewAutorunOk), TrimBlanks(program).empty() ? FALSE : TRUE);
}

void ChooseKind(HWND window, bool registry) {
    CheckRadioButton(window, ControlNewAutorunDirectory, ControlNewAutorunRegistry,
                     registry ? ControlNewAutorunRegistry : ControlNewAutorunDirectory);
    EnableWindow(GetDlgItem(window, ControlNewAutorunRunOnce), registry ? TRUE : FALSE);
}

void Browse(HWND window) {
    std::string file = ChooseFileToOpen(window, NewAutorunBrowseFilter(), LanguageText(LanguageKey::Browse), "");
    if (!file.empty()) {
        SetDlgItemTextA(window, ControlNewAutorunProgram, file.c_str());
        EnableOk(window, file);
    }
}

void AddTypedAutorun(HWND window) {
    HWND programBox = GetDlgItem(window, ControlNewAutorunProgram);
    std::string program = TrimBlanks(ControlText(window, ControlNewAutorunProgram));
    if (program.empty()) {
        MessageBeep(0);
        SetFocus(programBox);
        return;
    }
    NewAutorunChoice choice;
    choice.registry = Checked(window, ControlNewAutorunRegistry);
    choice.allUsers = Checked(window, ControlNewAutorunAllUsers);
    choice.runOnce = choice.registry && Checked(window, ControlNewAutorunRunOnce);
    AddAutorun(choice, program, ControlText(window, ControlNewAutorunParameter));
    // The run window offers the same programs.
    if (AddToRunHistory(RunCommandHistory(), program)) {
        AddComboBoxText(programBox, RunCommandHistory().back());
    }
    SendMessageA(window, WM_CLOSE, 0, 0);
    RefreshAutoruns();
}

}  // namespace

void FillNewAutorunWindow(HWND window, HFONT font) {
    RECT client;
    GetClientRect(window, &client);
    const int margin = 8;
    const int buttonWidth = 88;
    const int buttonX = client.right - margin - buttonWidth;
    const int fieldWidth = buttonX - 2 * margin;
    const int column = margin + fieldWidth / 2;
    auto add = [window, font](const char* kind, const std::string& text, DWORD style, int x, int y, int width,
                              int height,
                              int id) { AddControl(window, kind, text, style, x, y, width, height, id, font); };
    add("STATIC", LanguageText(LanguageKey::Autorun) + ":", SS_LEFT, margin, margin, fieldWidth, 14, -1);
    add("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, margin, margin + 16, fieldWidth, 160,
        ControlNewAutorunProgram);
    add("STATIC", LanguageText(LanguageKey::Parameter) + ":", SS_LEFT, margin, margin + 46, fieldWidth, 14, -1);
    add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, margin, margin + 62, fieldWidth, 21, ControlNewAutorunParameter);
    const int options = margin + 94;
    add("BUTTON", LanguageText(LanguageKey::AutorunDirectory), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, margin,
        options, fieldWidth / 2 - 4, 18, ControlNewAutorunDirectory);
    add("BUTTON", LanguageText(LanguageKey::Registry), BS_AUTORADIOBUTTON, margin, options + 22, fieldWidth / 2 - 4, 18,
        ControlNewAutorunRegistry);
    add("BUTTON", LanguageText(LanguageKey::CurrentUser), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, column, options,
        fieldWidth / 2, 18, ControlNewAutorunCurrentUser);
    add("BUTTON", LanguageText(LanguageKey::AllUsers), BS_AUTORADIOBUTTON, column, options + 22, fieldWidth / 2, 18,
        ControlNewAutorunAllUsers);
    add("BUTTON", LanguageText(LanguageKey::RunOnce), BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, margin, options + 48,
        fieldWidth, 18, ControlNewAutorunRunOnce);
    add("BUTTON", LanguageText(LanguageKey::OK), BS_DEFPUSHBUTTON | WS_TABSTOP, buttonX, margin, buttonWidth, 24,
        ControlNewAutorunOk);
    add("BUTTON", LanguageText(LanguageKey::Cancel), BS_PUSHBUTTON | WS_TABSTOP, buttonX, margin + 30, buttonWidth, 24,
        ControlNewAutorunCancel);
    add("BUTTON", LanguageText(LanguageKey::Browse) + "...", BS_PUSHBUTTON | WS_TABSTOP, buttonX, margin + 60,
        buttonWidth, 24, ControlNewAutorunBrowse);
    PrepareNewAutorunWindow(window);
}

void PrepareNewAutorunWindow(HWND window) {
    HWND programBox = GetDlgItem(window, ControlNewAutorunProgram);
    ClearComboBox(programBox);
    for (const std::string& known : RunCommandHistory()) {
        AddComboBoxText(programBox, known);
    }
    SetWindowTextA(programBox, "");
    SetDlgItemTextA(window, ControlNewAutorunParameter, "");
    ChooseKind(window, false);
    CheckRadioButton(window, ControlNewAutorunCurrentUser, ControlNewAutorunAllUsers, ControlNewAutorunCurrentUser);
    CheckDlgButton(window, ControlNewAutorunRunOnce, BST_UNCHECKED);
    EnableOk(window, "");
}

bool HandleNewAutorunCommand(HWND window, int id, int code) {
    switch (id) {
        case ControlNewAutorunProgram:
            if (code == CBN_EDITCHANGE) {
                EnableOk(window, ControlText(window, id));
            } else if (code == CBN_SELCHANGE) {
                // The edit field takes the chosen text only after this notice.
                HWND box = GetDlgItem(window, id);
                EnableOk(window, ComboBoxItemText(box, ComboBoxSelection(box)));
            }
            return true;
        case ControlNewAutorunDirectory:
        case ControlNewAutorunRegistry:
            if (code == BN_CLICKED) {
                ChooseKind(window, id == ControlNewAutorunRegistry);
            }
            return true;
        case ControlNewAutorunOk:
            if (code == BN_CLICKED) {
                AddTypedAutorun(window);
            }
            return true;
        case ControlNewAutorunCancel:
            if (code == BN_CLICKED) {
                SendMessageA(window, WM_CLOSE, 0, 0);
            }
            return true;
        case ControlNewAutorunBrowse:
            if (code == BN_CLICKED) {
                Browse(window);
            }
            return true;
    }
    return false;
}

bool PaintNewAutorunBackground(HWND window, UINT message, WPARAM wParam, LRESULT& result) {
    static HBRUSH brush = CreateSolidBrush(kBackground);
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
            result = 1;
            return true;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetBkColor(reinterpret_cast<HDC>(wParam), kBackground);
            result = reinterpret_cast<LRESULT>(brush);
            return true;
    }
    return false;
}
