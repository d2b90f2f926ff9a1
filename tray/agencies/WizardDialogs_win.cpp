// The two small dialogs of the wizards (a condition, a running process), the file and folder
// choosers they share, and the wizards' fonts and header strip.
#include <windows.h>

#include <tlhelp32.h>

#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/FileChoosers_win.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ScopedHandles_win.h"
#include "resources/PngBitmap_win.h"
#include "tray/TrayStartup_win.h"
#include "tray/agencies/AgencyWizardWindows_win.h"
#include "tray/agencies/Conditions.h"

namespace {

constexpr int kDialogWidth = 300;
constexpr int kConditionDialogHeight = 160;
constexpr int kChooserHeight = 130;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kBrowseWidth = 30;

// The file dialog wants the filter's parts ended by NUL and the whole by another.
std::string ChooseFileByDialog(HWND owner, const std::string& filter, const std::string& title) {
    std::string parts = filter;
    for (char& c : parts) {
        c = c == '|' ? '\0' : c;
    }
    parts.push_back('\0');
    return ChooseFileToOpen(owner, parts, title, "");
}

std::string FieldText(HWND window, int id) {
    char text[1024] = {};
    GetDlgItemTextA(window, id, text, sizeof(text));
    return text;
}

// The owner wizard of a dialog, and the kind of agency it sets up (kept in the window's user data).
HWND OwnerOf(HWND dialog) {
    return GetWindow(dialog, GW_OWNER);
}

AgencyKind KindOf(HWND dialog) {
    return static_cast<AgencyKind>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void CloseDialog(HWND dialog) {
    HWND owner = OwnerOf(dialog);
    EnableWindow(owner, TRUE);  // before the dialog goes, so that the activation returns to the wizard
    DestroyWindow(dialog);
}

// The field under the condition chooser as the selected type wants it.
void ShowConditionField(HWND dialog) {
    ConditionInput input = ConditionInputOf(ComboBoxSelection(GetDlgItem(dialog, ConditionChooser)));
    const char* unit = ConditionUnitText(input, KindOf(dialog));
    const bool number = input == ConditionInput::Seconds || input == ConditionInput::Megabytes;
    const bool browse = input == ConditionInput::File || input == ConditionInput::Directory;
    HWND value = GetDlgItem(dialog, ConditionValue);
    const int fullWidth = kDialogWidth - 2 * kMargin - 8;
    int width = fullWidth;
    if (number) {
        width = 120;
    } else if (browse) {
        width = fullWidth - kBrowseWidth - 6;
    }
    LONG_PTR style = GetWindowLongPtrA(value, GWL_STYLE) & ~static_cast<LONG_PTR>(ES_NUMBER);
    SetWindowLongPtrA(value, GWL_STYLE, style | (number ? ES_NUMBER : 0));
    SetWindowTextA(value, "");
    SetWindowPos(value, nullptr, 0, 0, width, 22, SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(value, input == ConditionInput::None ? SW_HIDE : SW_SHOW);
    SetDlgItemTextA(dialog, ConditionUnit, unit);
    ShowWindow(GetDlgItem(dialog, ConditionUnit), *unit != '\0' ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(dialog, ConditionBrowse), browse ? SW_SHOW : SW_HIDE);
}

void BrowseForConditionValue(HWND dialog) {
    int type = ComboBoxSelection(GetDlgItem(dialog, ConditionChooser));
    std::string chosen = ConditionInputOf(type) == ConditionInput::Directory
                             ? WizardShell().chooseFolder(dialog, LanguageText(LanguageKey::ChooseDir))
                             : WizardShell().chooseFile(dialog, LanguageText(LanguageKey::AllFiles) + "|*.*",
                                                        LanguageText(LanguageKey::ChooseFile));
    if (!chosen.empty()) {
        SetDlgItemTextA(dialog, ConditionValue, chosen.c_str());
    }
}

void TakeCondition(HWND dialog) {
    HWND chooser = GetDlgItem(dialog, ConditionChooser);
    int type = ComboBoxSelection(chooser);
    bool hasValue = ConditionInputOf(type) != ConditionInput::None;
    std::string value = hasValue ? FieldText(dialog, ConditionValue) : std::string();
    switch (CheckConditionValue(value)) {
        case ConditionValueProblem::Bracket:
            ShowMessageBox("", LanguageText(LanguageKey::WizardSystem11), kMessageBoxWarning);
            return;
        case ConditionValueProblem::Semicolon:
            ShowMessageBox("", kSemicolonValueText, kMessageBoxWarning);
            return;
        case ConditionValueProblem::Unstorable:
            ShowMessageBox("", kUnstorableFieldText, kMessageBoxWarning);
            return;
        case ConditionValueProblem::None:
            break;
    }
    ConditionItem condition{ComboBoxItemText(chooser, type), value};
    HWND wizard = OwnerOf(dialog);
    CloseDialog(dialog);
    AddWizardCondition(wizard, condition);
}

void TakeProcess(HWND dialog) {
    HWND list = GetDlgItem(dialog, ProcessChooserList);
    std::string name = ComboBoxItemText(list, ComboBoxSelection(list));
    HWND wizard = OwnerOf(dialog);
    CloseDialog(dialog);
    if (!name.empty()) {
        SetWizardTrigger(wizard, name);
    }
}

LRESULT CALLBACK DialogCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            int code = HIWORD(wParam);
            if (id == ConditionChooser && code == CBN_SELCHANGE) {
                ShowConditionField(dialog);
            } else if (code != BN_CLICKED) {
                break;
            } else if (id == ConditionOk || (id == IDOK && GetDlgItem(dialog, ConditionOk) != nullptr)) {
                TakeCondition(dialog);
            } else if (id == ProcessChooserOk || id == IDOK) {
                TakeProcess(dialog);
            } else if (id == ConditionBrowse) {
                BrowseForConditionValue(dialog);
            } else if (id == ConditionCancel || id == ProcessChooserCancel || id == IDCANCEL) {
                CloseDialog(dialog);
            }
            return 0;
        }
        case WM_CLOSE:
            CloseDialog(dialog);
            return 0;
    }
    return DefWindowProcA(dialog, message, wParam, lParam);
}

// A small dialog over its wizard, which stays disabled until the dialog closes.
HWND CreateDialogWindow(HWND wizard, const char* windowClass, const std::string& title, int height) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA description{};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = DialogCallback;
    description.hInstance = instance;
    description.hCursor = LoadCursor(nullptr, IDC_ARROW);
    description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    description.lpszClassName = windowClass;
    RegisterClassExA(&description);
    RECT owner;
    GetWindowRect(wizard, &owner);
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, windowClass, title.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, (owner.left + owner.right - kDialogWidth) / 2,
                                  (owner.top + owner.bottom - height) / 2, kDialogWidth, height, wizard, nullptr,
                                  instance, nullptr);
    if (dialog != nullptr) {
        EnableWindow(wizard, FALSE);
    }
    return dialog;
}

// OK and Cancel at the bottom right of a dialog's client area.
void AddDialogButtons(HWND dialog, int okId, int cancelId) {
    RECT client;
    GetClientRect(dialog, &client);
    const int y = client.bottom - kButtonHeight - 8;
    const int cancelX = client.right - kMargin - kButtonWidth;
    AddControl(dialog, "BUTTON", LanguageText(LanguageKey::OK), BS_DEFPUSHBUTTON | WS_TABSTOP,
               cancelX - kButtonWidth - 6, y, kButtonWidth, kButtonHeight, okId, WizardFont());
    AddControl(dialog, "BUTTON", LanguageText(LanguageKey::Cancel), BS_PUSHBUTTON | WS_TABSTOP, cancelX, y,
               kButtonWidth, kButtonHeight, cancelId, WizardFont());
}

// The labelled drop-down list at the top of both dialogs.
HWND AddChooser(HWND dialog, const std::string& label, int id) {
    AddControl(dialog, "STATIC", label, SS_LEFT, kMargin, 8, kDialogWidth - 2 * kMargin - 8, 16, -1, WizardFont());
    return AddControl(dialog, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kMargin, 26,
                      kDialogWidth - 2 * kMargin - 8, 200, id, WizardFont());
}

std::vector<std::string> RunningProcessNames() {
    std::vector<std::string> names;
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = snapshot.valid() && Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        names.emplace_back(entry.szExeFile);
    }
    return ChooserProcessNames(std::move(names));
}

}  // namespace

AgencyWizardShell& WizardShell() {
    static AgencyWizardShell shell = {ChooseFileByDialog, ChooseFolder, RunTrayTasks};
    return shell;
}

HWND OpenConditionDialog(HWND wizard, AgencyKind kind) {
    HWND dialog = CreateDialogWindow(wizard, kConditionDialogClass, LanguageText(LanguageKey::WizardSystem7),
                                     kConditionDialogHeight);
    if (dialog == nullptr) {
        return nullptr;
    }
    SetWindowLongPtrA(dialog, GWLP_USERDATA, static_cast<LONG_PTR>(kind));
    HWND chooser = AddChooser(dialog, LanguageText(LanguageKey::Condition) + ":", ConditionChooser);
    for (int type = 0; type < kConditionTypeCount; ++type) {
        AddComboBoxText(chooser, LanguageText(ConditionTypeKey(type)));
    }
    SelectComboBoxItem(chooser, 0);
    AddControl(dialog, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kMargin, 58, 120, 22, ConditionValue, WizardFont());
    SendDlgItemMessageA(dialog, ConditionValue, EM_LIMITTEXT, MAX_PATH * 2, 0);
    AddControl(dialog, "STATIC", "", SS_LEFT, kMargin + 128, 62, 120, 16, ConditionUnit, WizardFont());
    AddControl(dialog, "BUTTON", "...", BS_PUSHBUTTON | WS_TABSTOP, kDialogWidth - kMargin - 8 - kBrowseWidth, 57,
               kBrowseWidth, kButtonHeight, ConditionBrowse, WizardFont());
    AddDialogButtons(dialog, ConditionOk, ConditionCancel);
    ShowConditionField(dialog);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(chooser);
    return dialog;
}

HWND OpenProcessChooser(HWND wizard) {
    HWND dialog =
        CreateDialogWindow(wizard, kProcessChooserClass, LanguageText(LanguageKey::WizardProgram7), kChooserHeight);
    if (dialog == nullptr) {
        return nullptr;
    }
    HWND list = AddChooser(dialog, LanguageText(LanguageKey::WizardProgram8), ProcessChooserList);
    for (const std::string& name : RunningProcessNames()) {
        AddComboBoxText(list, name);
    }
    SelectComboBoxItem(list, 0);
    AddDialogButtons(dialog, ProcessChooserOk, ProcessChooserCancel);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(list);
    return dialog;
}

HFONT WizardFont() {
    static HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");
    return font;
}

HFONT WizardBoldFont() {
    static HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");
    return font;
}

HBITMAP WizardStripBitmap() {
    static HBITMAP strip = CreateColourBitmap(WizardStripColours(), kWizardStripWidth, kWizardStripHeight);
    return strip;
}
