#include "main/StatusBar.h"

#include "foundation/Language.h"
#include "main/View.h"

namespace {

LanguageKey ViewListName(int view) {
    switch (view) {
        case ViewWindows:
            return LanguageKey::Windows;
        case ViewServices:
            return LanguageKey::Services;
        case ViewDrivers:
            return LanguageKey::Drivers;
        case ViewNetworks:
            return LanguageKey::Networks;
        case ViewSmart:
            return LanguageKey::Harddisks;
        case ViewAutoruns:
            return LanguageKey::Autoruns;
        default:
            return LanguageKey::Processes;
    }
}

std::string Percent(int value) {
    return std::to_string(value) + "%";
}

}  // namespace

std::vector<StatusText> StatusBarTexts(int view, int rowCount, const SystemFigures& figures, bool privilegeWarning) {
    std::vector<StatusText> texts;
    if (view == ViewMonitor) {
        if (privilegeWarning) {
            texts.push_back({7, LanguageText(LanguageKey::SetRightsFailed), true});
        }
        return texts;
    }
    if (view >= 0 && view < ViewCount) {
        texts.push_back({7, LanguageText(ViewListName(view)) + ": " + std::to_string(rowCount), false});
    }
    texts.push_back({100, "CPU: " + Percent(figures.totalCpu), false});
    texts.push_back({180, "RAM: " + Percent(figures.ramPercent), false});
    texts.push_back({260, "Swap: " + Percent(figures.swapPercent), false});
    if (privilegeWarning) {
        texts.push_back({340, LanguageText(LanguageKey::SetRightsFailed), true});
    }
    return texts;
}

bool StatusBarHasSeparators(int view) {
    return view != ViewMonitor;
}
