#include "tray/agencies/AgencyWizards_win.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "foundation/MessageBoxSeam.h"
#include "tray/agencies/AgencyWindows_win.h"
#include "tray/agencies/AgencyWizardWindows_win.h"
#include "tray/agencies/WizardRules.h"

namespace {

constexpr int kWizardClientHeight = 340;
constexpr int kWizardContentTop = 60;
constexpr int kEditContentTop = 40;
constexpr int kSectionGap = 12;

// One wizard or edit window: its parts (pages of a wizard, or the dialog's stacked parts), the
// controls of each part, and the conditions its list shows.
struct Wizard {
    AgencyKind kind = AgencyKind::SystemStart;
    int row = -1;  // the row an edit dialog changes; -1 for a wizard
    std::vector<WizardSection> sections;
    std::vector<std::vector<HWND>> controls;
    size_t page = 0;
    std::vector<ConditionItem> conditions;

    bool editing() const { return row >= 0; }
};

Wizard* WizardOf(HWND window) {
    return reinterpret_cast<Wizard*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

std::string FieldText(HWND window, int id) {
    char text[1024] = {};
    GetDlgItemTextA(window, id, text, sizeof(text));
    return text;
}

bool IsChecked(HWND window, int id) {
    return IsDlgButtonChecked(window, id) == BST_CHECKED;
}

void Enable(HWND window, int id, bool enabled) {
    EnableWindow(GetDlgItem(window, id), enabled ? TRUE : FALSE);
}

// A path names an existing file (not a folder), in the view the tray companion starts programs in.
bool NamesFile(const std::string& path) {
    DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

WizardInput ReadInput(HWND window, const Wizard& wizard) {
    WizardInput input;
    input.name = FieldText(window, WizardNameField);
    input.nameFromFile = IsChecked(window, WizardNameFromFile);
    input.path = FieldText(window, WizardPathField);
    input.pathIsFile = NamesFile(input.path);
    input.conditions = wizard.conditions;
    input.trigger = FieldText(window, WizardTriggerField);
    input.triggerByName = IsChecked(window, WizardTriggerByName);
    input.parameters = FieldText(window, WizardParametersField);
    input.invisible = IsChecked(window, WizardInvisible);
    return input;
}

void ShowConditions(HWND window, const Wizard& wizard) {
    HWND list = GetDlgItem(window, WizardConditionList);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (const ConditionItem& row : wizard.conditions) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = ListViewItemCount(list);
        std::string text = row.text;
        item.pszText = &text[0];
        int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        std::string value = row.parameter;
        item.iSubItem = 1;
        item.pszText = &value[0];
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
}

// Continue, Ready and Apply follow the fields; so do the name field and the remove button.
void UpdateButtons(HWND window) {
    Wizard& wizard = *WizardOf(window);
    WizardInput input = ReadInput(window, wizard);
    bool complete = true;
    if (wizard.editing()) {
        for (WizardSection section : wizard.sections) {
            complete = complete && SectionComplete(section, input);
        }
    } else {
        complete = SectionComplete(wizard.sections[wizard.page], input);
    }
    Enable(window, WizardNext, complete);
    Enable(window, WizardNameField, !input.nameFromFile);
    Enable(window, WizardRemoveCondition, ListViewSelectedCount(GetDlgItem(window, WizardConditionList)) > 0);
}

void ShowPage(HWND window, size_t page) {
    Wizard& wizard = *WizardOf(window);
    wizard.page = page;
    for (size_t index = 0; index < wizard.controls.size(); ++index) {
        for (HWND control : wizard.controls[index]) {
            ShowWindow(control, index == page ? SW_SHOW : SW_HIDE);
        }
    }
    const bool last = page + 1 == wizard.sections.size();
    std::string header = page == 0 ? LanguageText(WizardTitle(wizard.kind)) : PageHeader(static_cast<int>(page));
    SetDlgItemTextA(window, WizardPageHeader, header.c_str());
    ShowWindow(GetDlgItem(window, WizardBack), page == 0 ? SW_HIDE : SW_SHOW);
    SetDlgItemTextA(window, WizardNext, LanguageText(last ? LanguageKey::Ready : LanguageKey::Continue).c_str());
    UpdateButtons(window);
    // The keyboard starts on the page's first field, or on Continue where the page has none.
    HWND focus = GetDlgItem(window, WizardNext);
    for (HWND control : wizard.controls[page]) {
        if ((GetWindowLongPtrA(control, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowEnabled(control)) {
            focus = control;
            break;
        }
    }
    SetFocus(focus);
}

// Refuses the fields of the given parts that the agency file could not keep.
bool SectionsStorable(HWND window, const Wizard& wizard, size_t first, size_t end) {
    WizardInput input = ReadInput(window, wizard);
    for (size_t index = first; index < end; ++index) {
        if (!SectionStorable(wizard.sections[index], input)) {
            ShowMessageBox(LanguageText(LanguageKey::Error), kUnstorableFieldText, kMessageBoxWarning);
            return false;
        }
    }
    return true;
}

// Ready and Apply: the new row joins its list, or takes the place of the edited one, and is saved.
void StoreAgency(HWND window) {
    Wizard& wizard = *WizardOf(window);
    if (!SectionsStorable(window, wizard, wizard.editing() ? 0 : wizard.page, wizard.sections.size())) {
        return;
    }
    AgencyRow row = BuildAgencyRow(wizard.kind, ReadInput(window, wizard));
    std::vector<AgencyRow>& list = AgencyList(TheAgencies(), wizard.kind);
    if (!wizard.editing()) {
        list.push_back(row);
    } else if (static_cast<size_t>(wizard.row) < list.size()) {
        list[static_cast<size_t>(wizard.row)] = row;  // examined again: an edited agency is a new one
    }
    SaveAgencies();
    DestroyWindow(window);
}

void GoForward(HWND window) {
    Wizard& wizard = *WizardOf(window);
    if (wizard.editing() || wizard.page + 1 == wizard.sections.size()) {
        StoreAgency(window);
        return;
    }
    if (!SectionsStorable(window, wizard, wizard.page, wizard.page + 1)) {
        return;
    }
    WizardInput input = ReadInput(window, wizard);
    if (wizard.sections[wizard.page] == WizardSection::Path && input.nameFromFile) {
        SetDlgItemTextA(window, WizardNameField, NameFromFile(input.path).c_str());
    }
    ShowPage(window, wizard.page + 1);
}

std::string ApplicationFilter(bool withAllFiles) {
    std::string filter = LanguageText(LanguageKey::ApplicationFiles) + " (*.exe;*.bat)|*.exe;*.bat|";
    return withAllFiles ? filter + LanguageText(LanguageKey::AllFiles) + "|*.*" : filter;
}

void ChooseInto(HWND window, int field, const std::string& filter) {
    std::string file = WizardShell().chooseFile(window, filter, LanguageText(LanguageKey::ChooseFile));
    if (!file.empty()) {
        SetDlgItemTextA(window, field, file.c_str());
    }
}

void RemoveSelectedCondition(HWND window) {
    Wizard& wizard = *WizardOf(window);
    int selected = NextListViewItem(GetDlgItem(window, WizardConditionList), -1, LVNI_SELECTED);
    if (selected >= 0 && static_cast<size_t>(selected) < wizard.conditions.size()) {
        wizard.conditions.erase(wizard.conditions.begin() + selected);
        ShowConditions(window, wizard);
    }
    UpdateButtons(window);
}

void HandleCommand(HWND window, int id, int code) {
    Wizard& wizard = *WizardOf(window);
    if (code == EN_CHANGE) {
        UpdateButtons(window);
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case WizardBack:
            if (!wizard.editing() && wizard.page > 0) {
                ShowPage(window, wizard.page - 1);
            }
            break;
        case IDOK:  // Enter
            if (IsWindowEnabled(GetDlgItem(window, WizardNext))) {
                GoForward(window);
            }
            break;
        case WizardNext:
            GoForward(window);
            break;
        case IDCANCEL:  // Escape
        case WizardCancel:
            DestroyWindow(window);
            break;
        case WizardNameFromFile:
            UpdateButtons(window);
            break;
        case WizardPathBrowse:
            ChooseInto(window, WizardPathField, ApplicationFilter(true));
            break;
        case WizardTriggerBrowse:
            if (IsChecked(window, WizardTriggerByName)) {
                OpenProcessChooser(window);
            } else {
                ChooseInto(window, WizardTriggerField, ApplicationFilter(false));
            }
            break;
        case WizardAddCondition:
            OpenConditionDialog(window, wizard.kind);
            break;
        case WizardRemoveCondition:
            RemoveSelectedCondition(window);
            break;
    }
}

LRESULT CALLBACK WizardCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (WizardOf(window) != nullptr) {
                HandleCommand(window, LOWORD(wParam), HIWORD(wParam));
            }
            return 0;
        case WM_NOTIFY:
            if (WizardOf(window) != nullptr && MessageStructure<NMHDR>(lParam).idFrom == WizardConditionList &&
                MessageStructure<NMHDR>(lParam).code == LVN_ITEMCHANGED) {
                UpdateButtons(window);
            }
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            EnableAgencyUi(true);
            return 0;
        case WM_NCDESTROY:
            delete WizardOf(window);
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterWizardClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WizardCallback;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kAgencyWizardClass;
    RegisterClassExA(&windowClass);
}

std::string TitleOf(AgencyKind kind, int row) {
    if (row < 0) {
        return LanguageText(WizardTitle(kind));
    }
    const AgencyRow& agency = AgencyList(TheAgencies(), kind)[static_cast<size_t>(row)];
    return LanguageTextWith(EditTitle(kind), agency.fields.empty() ? std::string() : agency.fields[0]);
}

void FillFields(HWND window, const Wizard& wizard, const WizardInput& input) {
    SetDlgItemTextA(window, WizardNameField, input.name.c_str());
    SetDlgItemTextA(window, WizardPathField, input.path.c_str());
    SetDlgItemTextA(window, WizardTriggerField, input.trigger.c_str());
    SetDlgItemTextA(window, WizardParametersField, input.parameters.c_str());
    CheckDlgButton(window, WizardInvisible, input.invisible ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(window, WizardTriggerByFile, WizardTriggerByName,
                     input.triggerByName ? WizardTriggerByName : WizardTriggerByFile);
    ShowConditions(window, wizard);
}

}  // namespace

HWND OpenAgencyWizard(HWND owner, AgencyKind kind, int row) {
    if (row >= 0 && static_cast<size_t>(row) >= AgencyList(TheAgencies(), kind).size()) {
        return nullptr;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWizardClass(instance);
    auto wizard = std::make_unique<Wizard>();
    wizard->kind = kind;
    wizard->row = row;
    wizard->sections = row < 0 ? WizardPages(kind) : EditSections(kind);
    wizard->controls.resize(wizard->sections.size());
    WizardInput input = row < 0 ? WizardInput{} : InputFromRow(kind, AgencyList(TheAgencies(), kind)[row]);
    wizard->conditions = input.conditions;

    // An edit dialog's height follows its parts; it is set once they are built.
    int clientHeight = kWizardClientHeight;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame = {0, 0, kWizardClientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    HWND window = CreateWindowExA(
        WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kAgencyWizardClass, TitleOf(kind, row).c_str(), style, CW_USEDEFAULT,
        CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    Wizard& built = *wizard;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wizard.release()));
    int top = row < 0 ? kWizardContentTop : kEditContentTop;
    for (size_t index = 0; index < built.sections.size(); ++index) {
        int height = BuildWizardSection(window, kind, row >= 0, built.sections[index], top, built.controls[index]);
        if (row >= 0) {
            top += height + kSectionGap;
        }
    }
    if (row >= 0) {
        clientHeight = top - kSectionGap + kWizardFooterHeight;
        frame = {0, 0, kWizardClientWidth, clientHeight};
        AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    AddWizardFrame(window, row >= 0, clientHeight);
    FillFields(window, built, input);
    EnableAgencyUi(false);
    if (row < 0) {
        ShowPage(window, 0);
    } else {
        UpdateButtons(window);
    }
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT placed;
    GetWindowRect(window, &placed);
    SetWindowPos(window, HWND_TOP, (area.left + area.right - (placed.right - placed.left)) / 2,
                 (area.top + area.bottom - (placed.bottom - placed.top)) / 2, 0, 0, SWP_NOSIZE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);  // opened from the tray menu, it must come to the front
    return window;
}

void AddWizardCondition(HWND wizard, const ConditionItem& row) {
    Wizard* state = WizardOf(wizard);
    if (state == nullptr) {
        return;
    }
    state->conditions.push_back(row);
    ShowConditions(wizard, *state);
    UpdateButtons(wizard);
}

void SetWizardTrigger(HWND wizard, const std::string& name) {
    SetDlgItemTextA(wizard, WizardTriggerField, name.c_str());
}

namespace {

// The wizard's own loop: its keyboard handling, and the tray companion's work every 100 ms at most,
// so that the agencies keep acting while one is being set up.
void RunWizardLoop(HWND window) {
    while (IsWindow(window)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        if (WizardShell().idleWork != nullptr) {
            WizardShell().idleWork();
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The program ends: the input is dropped and the outer loop sees the quit too.
                DestroyWindow(window);
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            HWND dialog = GetAncestor(message.hwnd, GA_ROOT);
            if (dialog != nullptr && IsDialogMessageA(dialog, &message)) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

void RunAgencyWizard(HWND owner, AgencyKind kind) {
    RunWizardLoop(OpenAgencyWizard(owner, kind, -1));
}

void RunAgencyEditDialog(HWND owner, AgencyKind kind, size_t row) {
    RunWizardLoop(OpenAgencyWizard(owner, kind, static_cast<int>(row)));
}
