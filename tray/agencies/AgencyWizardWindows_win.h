#pragma once
// The windows behind RunAgencyWizard and RunAgencyEditDialog: the wizard or edit window itself,
// the condition dialog and the process chooser, each created without waiting for it to close, so
// that the modal loop (or a test) drives them through the commands their controls send.

#include <windows.h>

#include <string>
#include <vector>

#include "tray/agencies/AgencyFile.h"
#include "tray/agencies/WizardRules.h"

enum AgencyWizardControl : int {
    WizardBack = 100,
    WizardNext,  // Continue, Ready on the last page, Apply in an edit dialog
    WizardCancel,
    WizardIntroduction,
    WizardPageHeader,
    WizardNameField,
    WizardNameFromFile,
    WizardPathField,
    WizardPathBrowse,
    WizardConditionList,
    WizardAddCondition,
    WizardRemoveCondition,
    WizardTriggerByFile,
    WizardTriggerByName,
    WizardTriggerField,
    WizardTriggerBrowse,
    WizardParametersField,
    WizardInvisible,
    ConditionChooser,  // the condition dialog's
    ConditionValue,
    ConditionUnit,
    ConditionBrowse,
    ConditionOk,
    ConditionCancel,
    ProcessChooserList,  // the process chooser's
    ProcessChooserOk,
    ProcessChooserCancel,
};

constexpr char kAgencyWizardClass[] = "VantrelAgencyWizard";
constexpr char kConditionDialogClass[] = "VantrelAgencyCondition";
constexpr char kProcessChooserClass[] = "VantrelProcessChooser";

// A wizard for a new agency (`row` -1) or the edit dialog of that row, shown at once, with the
// agency menu entries and windows switched off until it is destroyed. Null when it cannot be made
// (or the row does not exist).
HWND OpenAgencyWizard(HWND owner, AgencyKind kind, int row);
// The dialogs a wizard opens; each keeps the wizard disabled while it is open.
HWND OpenConditionDialog(HWND wizard, AgencyKind kind);
HWND OpenProcessChooser(HWND wizard);
// What the dialogs hand back to their wizard.
void AddWizardCondition(HWND wizard, const ConditionItem& row);
void SetWizardTrigger(HWND wizard, const std::string& name);

// The file and folder choosers, and the tray companion's own work that goes on while a wizard's loop
// runs; tests answer the choosers and leave the work out.
struct AgencyWizardShell {
    // `filter` in the "text|pattern|" form; the chosen file or empty text.
    std::string (*chooseFile)(HWND owner, const std::string& filter, const std::string& title);
    std::string (*chooseFolder)(HWND owner, const std::string& title);
    void (*idleWork)();
};
AgencyWizardShell& WizardShell();

// All of these windows' client areas are this wide; the buttons stand in a footer this high.
constexpr int kWizardClientWidth = 440;
constexpr int kWizardFooterHeight = 46;

// Builds the controls of one part from `top` down into `controls` and gives the part's height. An
// edit dialog's parts leave out the explanations that its wizard's pages give.
int BuildWizardSection(HWND window,
                       AgencyKind kind,
                       bool editing,
                       WizardSection section,
                       int top,
                       std::vector<HWND>& controls);
// The header strip with its icon, a wizard's page header, and the buttons at the bottom: Back,
// Continue and Cancel, or an edit dialog's Apply and Cancel.
void AddWizardFrame(HWND window, bool editing, int clientHeight);

// The fonts and the header strip of these windows, made once.
HFONT WizardFont();
HFONT WizardBoldFont();
HBITMAP WizardStripBitmap();
