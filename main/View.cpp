#include "main/View.h"

#include "main/CommandIds.h"

LanguageKey ViewName(int view) {
    static const LanguageKey kNames[ViewCount] = {LanguageKey::Processes, LanguageKey::Windows,  LanguageKey::Services,
                                                  LanguageKey::Drivers,   LanguageKey::Networks, LanguageKey::Monitor,
                                                  LanguageKey::SMART,     LanguageKey::Autoruns};
    return view >= 0 && view < ViewCount ? kNames[view] : LanguageKey::Processes;
}

const char* ViewHelpPage(int view) {
    static const char* const kPages[ViewCount] = {"processes.htm", "windows.htm", "services.htm", "drivers.htm",
                                                  "networks.htm",  "monitor.htm", "smart.htm",    "autoruns.htm"};
    return view >= 0 && view < ViewCount ? kPages[view] : "index.htm";
}

std::vector<ViewCheckBox> ViewCheckBoxes(int view) {
    switch (view) {
        case ViewProcesses:
            return {{LanguageKey::PreferencesPPIDView, ControlProcessTree}};
        case ViewWindows:
            return {{LanguageKey::DisplayHiddenWindows, ControlHiddenWindows},
                    {LanguageKey::DisplayNoSizeWindows, ControlNoSizeWindows},
                    {LanguageKey::DisplayOutsideWindows, ControlOutsideWindows}};
        case ViewAutoruns:
            return {{LanguageKey::DisplaySystemAutoruns, ControlSystemAutoruns}};
        default:
            return {};
    }
}

std::vector<WindowPlacement> ViewCheckBoxPlaces(const std::vector<int>& captionWidths, int viewHeight) {
    std::vector<WindowPlacement> places;
    int x = 8;
    for (int captionWidth : captionWidths) {
        const int width = captionWidth + 24;  // the box and the gap before its caption
        places.push_back({x, viewHeight - 22, width, 18});
        x += width + 12;
    }
    return places;
}

int ViewRefreshedOnTimer(int currentView) {
    if (currentView == ViewProcesses || currentView == ViewMonitor) {
        return ViewProcesses;
    }
    if (currentView == ViewWindows || currentView == ViewServices || currentView == ViewNetworks ||
        currentView == ViewSmart) {
        return currentView;
    }
    return -1;
}
