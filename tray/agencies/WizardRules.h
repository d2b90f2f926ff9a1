#pragma once
// What the agency wizards and edit dialogs decide without a window: their pages, when a page may be
// left, what a typed value may hold, the agency row the fields make and the fields a row gives back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Language.h"
#include "tray/agencies/AgencyFile.h"
#include "tray/agencies/Conditions.h"

// The parts a wizard page or an edit dialog is made of. A wizard shows one part per page; an edit
// dialog shows all of its kind's parts but the introduction at once.
enum class WizardSection { Introduction, Name, Path, Conditions, Trigger, Parameters };

std::vector<WizardSection> WizardPages(AgencyKind kind);
std::vector<WizardSection> EditSections(AgencyKind kind);

// The window titles and the texts of each part.
LanguageKey WizardTitle(AgencyKind kind);
LanguageKey EditTitle(AgencyKind kind);
std::vector<LanguageKey> IntroductionTexts(AgencyKind kind);
// The text above the condition list: the wizard page's explanation, or the edit dialog's caption.
LanguageKey ConditionsText(AgencyKind kind, bool editing);
// "Step 2:" for the third page (the introduction has no step number).
std::string PageHeader(int page);

// The two ways of naming a trigger (or the program an avoid agency ends), fixed German texts.
constexpr char kTriggerByFile[] = "Anwendung";
constexpr char kTriggerByName[] = "Prozessname";
constexpr char kSecondsUnit[] = "Sekunden";
constexpr char kMegabyteUnit[] = "Megabyte";
constexpr char kInvisibleMarker[] = "X";

// What the user has entered so far. `pathIsFile` is told by the window, which can ask the disk.
struct WizardInput {
    std::string name;
    bool nameFromFile = false;
    std::string path;
    bool pathIsFile = false;
    std::vector<ConditionItem> conditions;  // the rows of the condition list
    std::string trigger;                    // program-start: the trigger; avoid: the program kept from running
    bool triggerByName = false;
    std::string parameters;
    bool invisible = false;
};

// Whether Continue (or Apply, for all of a dialog's parts) is enabled.
bool SectionComplete(WizardSection section, const WizardInput& input);

// "C:\Tools\my_tool.exe" gives "my tool": the file name without its extension, "_" as blanks.
std::string NameFromFile(std::string_view path);

// Every typed field of a part fits the agency file (see AgencyFieldStorable).
bool SectionStorable(WizardSection section, const WizardInput& input);
// Said when a field holds a character the file cannot keep; the catalogue has no text for it.
constexpr char kUnstorableFieldText[] =
    "An agency field must be a single line: line breaks and control character 1 cannot be stored.";

// What may keep the condition dialog from taking a value. Brackets and ";" would split the stored
// condition list in the wrong places.
enum class ConditionValueProblem { None, Bracket, Semicolon, Unstorable };
ConditionValueProblem CheckConditionValue(std::string_view value);
constexpr char kSemicolonValueText[] = "A value must not contain a semicolon (;).";

// The unit right of the condition dialog's number field. The avoid wizard shows "Megabyte" only:
// its delay field has no unit.
const char* ConditionUnitText(ConditionInput input, AgencyKind kind);

// The agency row made from the input, and the input an existing row gives.
AgencyRow BuildAgencyRow(AgencyKind kind, const WizardInput& input);
WizardInput InputFromRow(AgencyKind kind, const AgencyRow& row);

// The process chooser's names: without empty names, "?" and "IDLE", each once, sorted ignoring case.
std::vector<std::string> ChooserProcessNames(std::vector<std::string> names);

// The wizard pages' header strip, 0x00BBGGRR row after row: a blue fading into the window's grey.
constexpr int kWizardStripWidth = 400;
constexpr int kWizardStripHeight = 20;
std::vector<uint32_t> WizardStripColours();
