#include "main/PreferencesWindow.h"

#include <algorithm>

#include "foundation/DecimalText.h"
#include "main/CommandIds.h"
#include "main/RefreshTimers.h"
#include "main/processes/ProcessListOptions.h"

namespace {

struct FlagBox {
    int id;
    LanguageKey caption;
    LanguageKey help;
    int MainPreferences::*setting;
};

constexpr FlagBox kFlagBoxes[] = {
    {ControlPreferencesAutorun, LanguageKey::PreferencesAutorun, LanguageKey::PreferencesAutorunHelp,
     &MainPreferences::PreferencesAutorun},
    {ControlPreferencesRemain, LanguageKey::PreferencesRemain, LanguageKey::PreferencesRemainHelp,
     &MainPreferences::PreferencesRemain},
    {ControlPreferencesReactivateExplorer, LanguageKey::PreferencesReactivateExplorer,
     LanguageKey::PreferencesReactivateExplorerHelp, &MainPreferences::PreferencesReactivateExplorer},
    {ControlPreferencesOptimize, LanguageKey::PreferencesOptimize, LanguageKey::PreferencesOptimizeHelp,
     &MainPreferences::PreferencesOptimize},
    {ControlPreferencesSticky, LanguageKey::PreferencesSticky, LanguageKey::PreferencesStickyHelp,
     &MainPreferences::PreferencesSticky},
    {ControlPreferencesWindowTitle, LanguageKey::PreferencesWindowTitle, LanguageKey::PreferencesWindowTitleHelp,
     &MainPreferences::PreferencesWindowTitle},
    {ControlPreferencesCPUPerProcess, LanguageKey::PreferencesCPUPerProcess, LanguageKey::PreferencesCPUPerProcessHelp,
     &MainPreferences::PreferencesCPUPerProcess},
    {ControlPreferencesUseComma, LanguageKey::PreferencesUseComma, LanguageKey::PreferencesUseCommaHelp,
     &MainPreferences::PreferencesUseComma},
    {ControlPreferencesPPIDView, LanguageKey::PreferencesPPIDView, LanguageKey::PreferencesPPIDViewHelp,
     &MainPreferences::PreferencesPPIDView},
    {ControlPreferencesUseDatabase, LanguageKey::PreferencesUseDatabase, LanguageKey::PreferencesUseDatabaseHelp,
     &MainPreferences::PreferencesUseDatabase},
};

constexpr int kMargin = 8;
constexpr int kRow = 20;

// The digits at the start of a field; empty or without digits reads as 0.
long long FieldNumber(const std::string& text) {
    return ReadLeadingInteger(text);
}

}  // namespace

const int kPreferencesFlagIds[10] = {
    ControlPreferencesAutorun,       ControlPreferencesRemain,   ControlPreferencesReactivateExplorer,
    ControlPreferencesOptimize,      ControlPreferencesSticky,   ControlPreferencesWindowTitle,
    ControlPreferencesCPUPerProcess, ControlPreferencesUseComma, ControlPreferencesPPIDView,
    ControlPreferencesUseDatabase};

int* PreferencesFlag(MainPreferences& preferences, int id) {
    for (const FlagBox& box : kFlagBoxes) {
        if (box.id == id)
            return &(preferences.*box.setting);
    }
    return nullptr;
}

int PreferencesFlagValue(const MainPreferences& preferences, int id) {
    for (const FlagBox& box : kFlagBoxes) {
        if (box.id == id)
            return preferences.*box.setting;
    }
    return 0;
}

std::vector<PreferencesControl> PreferencesControls(int clientWidth, int clientHeight) {
    using Kind = PreferencesControlKind;
    std::vector<PreferencesControl> controls;
    auto add = [&controls](int id, Kind kind, int page, std::string caption, WindowPlacement place) {
        controls.push_back({id, kind, page, std::move(caption), LanguageKey::Default, false, place});
    };
    auto help = [&controls](LanguageKey key) {
        controls.back().help = key;
        controls.back().hasHelp = true;
    };
    const int top = kMargin + kPreferencesPageButtonHeight + kMargin;
    const int buttonsTop = clientHeight - kMargin - 24;
    const int pageHeight = buttonsTop - kMargin - top;
    const int pageWidth = clientWidth - 2 * kMargin;
    add(ControlPreferencesPageSwitch, Kind::Button, 0, "",
        {kMargin, kMargin, kPreferencesPageButtonWidth, kPreferencesPageButtonHeight});
    add(ControlPreferencesPage1, Kind::Frame, 0, "", {kMargin, top, pageWidth, pageHeight});
    add(ControlPreferencesPage2, Kind::Frame, 0, "", {kMargin, top, pageWidth, pageHeight});

    // Page 1, in the page's own client coordinates: the switches on the left, the fields on the right.
    constexpr int kFieldsWidth = 224;
    const int half = pageWidth - kFieldsWidth;
    int y = 0;
    for (const FlagBox& box : kFlagBoxes) {
        add(box.id, Kind::CheckBox, 1, LanguageText(box.caption), {0, y, half - kMargin, kRow});
        help(box.help);
        y += kRow;
    }
    const int right = half;
    const int rightWidth = pageWidth - half;
    const int inner = rightWidth - 2 * kMargin;
    constexpr int kFrameHeight = 44;
    constexpr int kFrameGap = 4;
    int r = 0;
    add(ControlPreferencesLanguageFrame, Kind::Frame, 1, LanguageText(LanguageKey::Language),
        {right, r, rightWidth, kFrameHeight});
    add(ControlPreferencesLanguage, Kind::Chooser, 1, "", {right + kMargin, r + 16, inner, 200});
    r += kFrameHeight + kFrameGap;
    struct NumberFrame {
        int frame;
        LanguageKey title;
        LanguageKey label;
        LanguageKey help;
        Kind kind;
    };
    const NumberFrame numbers[] = {
        {ControlPreferencesListsFrame, LanguageKey::PreferencesRefreshLists, LanguageKey::PreferencesMilliseconds,
         LanguageKey::PreferencesMillisecondsHelp, Kind::NumberField},
        {ControlPreferencesMonitorFrame, LanguageKey::PreferencesRefreshMonitor, LanguageKey::PreferencesMilliseconds,
         LanguageKey::PreferencesRefreshMonitorHelp, Kind::NumberField},
        {ControlPreferencesExitCodeFrame, LanguageKey::PreferencesEndProcesses, LanguageKey::PreferencesExitCode,
         LanguageKey::PreferencesExitCodeHelp, Kind::SpinField},
    };
    // Label, field and, for the exit code, its Default button in one row of each frame.
    const int defaultWidth = 60;
    const int fieldWidth = 56;
    const int labelWidth = inner - fieldWidth - defaultWidth - 8;
    for (const NumberFrame& number : numbers) {
        add(number.frame, Kind::Frame, 1, LanguageText(number.title), {right, r, rightWidth, kFrameHeight});
        add(number.frame + 1, Kind::Label, 1, LanguageText(number.label) + ":",
            {right + kMargin, r + 20, labelWidth, 16});
        add(number.frame + 2, number.kind, 1, "", {right + kMargin + labelWidth + 4, r + 16, fieldWidth, 21});
        help(number.help);
        r += kFrameHeight + kFrameGap;
    }
    add(ControlPreferencesExitCodeDefault, Kind::Button, 1, LanguageText(LanguageKey::Default),
        {right + rightWidth - kMargin - defaultWidth, r - kFrameGap - kFrameHeight + 16, defaultWidth, 22});

    // The search address runs across the whole page below both columns.
    const int searchTop = std::max(y, r) + kFrameGap;
    add(ControlPreferencesSearchFrame, Kind::Frame, 1, LanguageText(LanguageKey::PreferencesSearchFor),
        {0, searchTop, pageWidth, 48});
    add(ControlPreferencesSearchLabel, Kind::Label, 1, LanguageText(LanguageKey::PreferencesSearchForURL) + ":",
        {kMargin, searchTop + 22, 90, 16});
    add(ControlPreferencesSearchString, Kind::TextField, 1, "",
        {kMargin + 94, searchTop + 19, pageWidth - 2 * kMargin - 94 - 86, 21});
    help(LanguageKey::PreferencesSearchForHelp);
    add(ControlPreferencesSearchDefault, Kind::Button, 1, LanguageText(LanguageKey::Default),
        {pageWidth - kMargin - 80, searchTop + 18, 80, 22});
    const int informationTop = searchTop + 48 + 2 * kFrameGap;
    add(ControlPreferencesInformation, Kind::Text, 1,
        LanguageText(LanguageKey::Information) + ": " + LanguageText(LanguageKey::PreferencesInformation),
        {0, informationTop, pageWidth, std::max(pageHeight - informationTop, 16)});

    // Page 2: one check box per column of the process list but the first, in three columns.
    add(ControlPreferencesColumnsFrame, Kind::Frame, 2, LanguageText(LanguageKey::PreferencesShowColumns),
        {0, 0, pageWidth, pageHeight});
    const int columnWidth = (pageWidth - 2 * kMargin) / 3;
    for (int n = 0; n < kColumnFlagCount; ++n) {
        add(ControlPreferencesColumnFirst + n, Kind::CheckBox, 2, LanguageText(ProcessColumnTitleKey(n + 1)),
            {kMargin + (n / 7) * columnWidth, 22 + (n % 7) * 26, columnWidth - 4, kRow});
    }

    add(ControlPreferencesOk, Kind::Button, 0, LanguageText(LanguageKey::OK),
        {clientWidth - 2 * (kMargin + 88), buttonsTop, 88, 24});
    add(ControlPreferencesCancel, Kind::Button, 0, LanguageText(LanguageKey::Cancel),
        {clientWidth - kMargin - 88, buttonsTop, 88, 24});
    return controls;
}

int PreferencesPageAt(int x) {
    return x < kPreferencesPageSplit ? 1 : 2;
}

void ApplyStartupInterlock(int id, bool& autorun, bool& remain) {
    if (id == ControlPreferencesAutorun && autorun)
        remain = true;
    if (id == ControlPreferencesRemain && !remain)
        autorun = false;
}

int IntervalFromField(const std::string& text) {
    long long value = FieldNumber(text);
    return static_cast<int>(TimerInterval(value > 99999 ? 99999 : value < 0 ? 0 : static_cast<int>(value)));
}

int ExitCodeFromField(const std::string& text) {
    long long value = FieldNumber(text);
    return static_cast<int>(value < 0 ? 0 : value > kExitCodeHighest ? kExitCodeHighest : value);
}

const std::vector<SearchEngine>& SearchEngines() {
    static const std::vector<SearchEngine> engines = {
        {"Google", kDefaultSearchString},
        {"Yahoo", "http://search.yahoo.com/search?p=%22<%1>%22"},
        {"Abacho", "http://search.abacho.com/de/abacho.de/index.cfm?q=%22<%1>%22&mesearchkey=world"},
        {"LiveSearch", "http://search.live.com/results.aspx?q=%22<%1>%22"},
        {"Lycos", "http://search.lycos.com/cgi-bin/pursuit?query=%22<%1>%22&cat=web"},
        {"Exalead", "http://www.exalead.com/search/results?q=%22<%1>%22"},
        {"file.net", std::string(kDefaultSearchString) + "&as_sitesearch=FILE.NET"},
        {"processlibrary.com", "http://www.processlibrary.com/search/?q=<%1>"},
    };
    return engines;
}
