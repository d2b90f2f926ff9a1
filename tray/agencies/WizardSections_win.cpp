// The parts of the wizard pages and edit dialogs, and the frame around them: the header strip, the
// page header and the buttons.
#include <windows.h>

#include <commctrl.h>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "tray/agencies/AgencyWizardWindows_win.h"

namespace {

constexpr int kMargin = 12;
constexpr int kFieldWidth = kWizardClientWidth - 2 * kMargin;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 24;
constexpr int kBrowseWidth = 30;

// The pieces every part is built from, each remembered as a control of the part being built.
struct SectionBuilder {
    HWND window;
    std::vector<HWND>& controls;
    int top;

    HWND Add(const char* kind,
             const std::string& text,
             DWORD style,
             int x,
             int y,
             int width,
             int height,
             int id,
             HFONT font = WizardFont()) {
        HWND control = AddControl(window, kind, text, style, kMargin + x, top + y, width, height, id, font);
        controls.push_back(control);
        return control;
    }
    void Label(const std::string& text, int y, int height) {
        Add("STATIC", text, SS_LEFT, 0, y, kFieldWidth, height, -1);
    }
    void Field(int id, int y, int width) {
        Add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 0, y, width, 22, id);
        SendDlgItemMessageA(window, id, EM_LIMITTEXT, MAX_PATH * 2, 0);
    }
    void FieldWithBrowse(int fieldId, int buttonId, int y) {
        Field(fieldId, y, kFieldWidth - kBrowseWidth - 6);
        Add("BUTTON", "...", BS_PUSHBUTTON | WS_TABSTOP, kFieldWidth - kBrowseWidth, y - 1, kBrowseWidth, kButtonHeight,
            buttonId);
    }
    void Check(int id, LanguageKey text, int y) {
        Add("BUTTON", LanguageText(text), BS_AUTOCHECKBOX | WS_TABSTOP, 0, y, kFieldWidth, 20, id);
    }
};

}  // namespace

int BuildWizardSection(HWND window,
                       AgencyKind kind,
                       bool editing,
                       WizardSection section,
                       int top,
                       std::vector<HWND>& controls) {
    SectionBuilder build{window, controls, top};
    switch (section) {
        case WizardSection::Introduction: {
            std::string text;
            for (LanguageKey key : IntroductionTexts(kind)) {
                text += (text.empty() ? "" : "\r\n\r\n") + LanguageText(key);
            }
            build.Add("STATIC", text, SS_LEFT, 0, 0, kFieldWidth, 220, WizardIntroduction);
            return 220;
        }
        case WizardSection::Name:
            build.Label(LanguageText(LanguageKey::WizardSystem13), 0, 16);
            build.Field(WizardNameField, 18, kFieldWidth);
            build.Check(WizardNameFromFile, LanguageKey::WizardSystem16, 46);
            if (editing) {
                return 66;
            }
            build.Add("STATIC", LanguageText(LanguageKey::Information), SS_LEFT, 0, 84, kFieldWidth, 16, -1,
                      WizardBoldFont());
            build.Label(LanguageText(LanguageKey::WizardSystem15), 102, 32);
            return 134;
        case WizardSection::Path:
            build.Label(LanguageText(LanguageKey::WizardSystem5), 0, 16);
            build.FieldWithBrowse(WizardPathField, WizardPathBrowse, 18);
            return 42;
        case WizardSection::Conditions: {
            build.Label(LanguageText(ConditionsText(kind, editing)), 0, 30);
            HWND list = build.Add(WC_LISTVIEWA, "", LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP, 0, 32,
                                  kFieldWidth, 110, WizardConditionList);
            SetWindowLongPtrA(list, GWL_EXSTYLE, GetWindowLongPtrA(list, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
            SetWindowPos(list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
            SetListViewExtendedStyle(list, LVS_EX_FULLROWSELECT);
            InsertListViewColumn(list, 0, LanguageText(LanguageKey::Condition), 250, LVCFMT_LEFT);
            InsertListViewColumn(list, 1, LanguageText(LanguageKey::Value), kFieldWidth - 254, LVCFMT_LEFT);
            const int buttonWidth = 130;
            build.Add("BUTTON", LanguageText(LanguageKey::WizardSystem7), BS_PUSHBUTTON | WS_TABSTOP,
                      kFieldWidth - 2 * buttonWidth - 6, 148, buttonWidth, kButtonHeight, WizardAddCondition);
            build.Add("BUTTON", LanguageText(LanguageKey::WizardSystem8), BS_PUSHBUTTON | WS_TABSTOP,
                      kFieldWidth - buttonWidth, 148, buttonWidth, kButtonHeight, WizardRemoveCondition);
            return 172;
        }
        case WizardSection::Trigger:
            // Beside the program to start, an edit dialog says which program is the trigger.
            build.Label(editing && kind == AgencyKind::ProgramStart ? LanguageText(LanguageKey::ConditionProg) + ":"
                                                                    : LanguageText(LanguageKey::WizardProgram6),
                        0, 16);
            build.Add("BUTTON", kTriggerByFile, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 20, 130, 20,
                      WizardTriggerByFile);
            build.Add("BUTTON", kTriggerByName, BS_AUTORADIOBUTTON, 140, 20, 130, 20, WizardTriggerByName);
            build.FieldWithBrowse(WizardTriggerField, WizardTriggerBrowse, 46);
            return 70;
        case WizardSection::Parameters:
            build.Label(LanguageText(LanguageKey::WizardSystem9), 0, 16);
            build.Field(WizardParametersField, 18, kFieldWidth);
            if (editing) {
                build.Check(WizardInvisible, LanguageKey::WizardSystem12, 46);
                return 66;
            }
            build.Label(LanguageText(LanguageKey::WizardSystem10), 48, 16);
            build.Check(WizardInvisible, LanguageKey::WizardSystem12, 70);
            return 90;
    }
    return 0;
}

void AddWizardFrame(HWND window, bool editing, int clientHeight) {
    HWND icon = AddControl(window, "STATIC", "", SS_ICON, kMargin, 8, 16, 16, -1, nullptr);
    SendMessageA(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(
                     LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(1), IMAGE_ICON, 16, 16, LR_SHARED)),
                 0);
    HWND strip = AddControl(window, "STATIC", "", SS_BITMAP, kMargin + 22, 6, kWizardStripWidth, kWizardStripHeight, -1,
                            nullptr);
    SetStaticBitmap(strip, WizardStripBitmap());
    if (!editing) {
        AddControl(window, "STATIC", "", SS_LEFT, kMargin, 36, kFieldWidth, 18, WizardPageHeader, WizardBoldFont());
    }
    AddControl(window, "STATIC", "", SS_ETCHEDHORZ, kMargin, clientHeight - kWizardFooterHeight + 4, kFieldWidth, 2, -1,
               nullptr);
    const int y = clientHeight - kButtonHeight - 10;
    const int cancelX = kWizardClientWidth - kMargin - kButtonWidth;
    AddControl(window, "BUTTON", LanguageText(LanguageKey::Cancel), BS_PUSHBUTTON | WS_TABSTOP, cancelX, y,
               kButtonWidth, kButtonHeight, WizardCancel, WizardFont());
    AddControl(window, "BUTTON", LanguageText(editing ? LanguageKey::Apply : LanguageKey::Continue),
               BS_DEFPUSHBUTTON | WS_TABSTOP, cancelX - kButtonWidth - 8, y, kButtonWidth, kButtonHeight, WizardNext,
               WizardFont());
    if (!editing) {
        AddControl(window, "BUTTON", LanguageText(LanguageKey::Back), BS_PUSHBUTTON | WS_TABSTOP,
                   cancelX - 2 * kButtonWidth - 8, y, kButtonWidth, kButtonHeight, WizardBack, WizardFont());
    }
}
