#pragma once
// The preferences window's content apart from the window: its controls with their captions, tool
// tips and places on the two pages, the settings behind the check boxes, the search engines its
// Default button offers, and the rules between its controls. Portable.

#include <string>
#include <vector>

#include "foundation/Language.h"
#include "foundation/PreferencesDefaults.h"
#include "main/Geometry.h"

enum class PreferencesControlKind { CheckBox, Frame, Label, NumberField, SpinField, TextField, Button, Chooser, Text };

// A control: on page 1 or 2 (0 for the window itself), its caption (a language text, with ":"
// appended for labels) and tool tip (`hasHelp` false for none).
struct PreferencesControl {
    int id;
    PreferencesControlKind kind;
    int page;
    std::string caption;
    LanguageKey help;
    bool hasHelp;
    WindowPlacement place;
};

// Every control of the window, laid out for its client area of that size.
std::vector<PreferencesControl> PreferencesControls(int clientWidth, int clientHeight);

// The two halves of the page button: page 1 left of this x in the window, page 2 from it on.
constexpr int kPreferencesPageSplit = 170;
constexpr int kPreferencesPageButtonHeight = 24;
constexpr int kPreferencesPageButtonWidth = 360;
int PreferencesPageAt(int x);

// The settings the check boxes 776 .. 786 stand for, by control identifier; null for other ids.
int* PreferencesFlag(MainPreferences& preferences, int id);
int PreferencesFlagValue(const MainPreferences& preferences, int id);
extern const int kPreferencesFlagIds[10];

// The interlock of the two start-up boxes after the user clicked `id`: checking Autorun checks
// Remain too (the companion must stay to be started at logon), unchecking Remain unchecks Autorun.
void ApplyStartupInterlock(int id, bool& autorun, bool& remain);

// The limits of the fields.
constexpr int kIntervalDigits = 5;
constexpr int kExitCodeHighest = 14080;
constexpr int kExitCodeDefault = 1067;
// A typed interval: its digits, kept between the shortest and longest interval the timers allow,
// so that an empty field or 0 does not make the program refresh on every loop turn.
int IntervalFromField(const std::string& text);
// The exit code field's value, kept within the spin range.
int ExitCodeFromField(const std::string& text);

struct SearchEngine {
    std::string name;
    std::string address;  // "<%1>" stands for the search term
};
const std::vector<SearchEngine>& SearchEngines();
