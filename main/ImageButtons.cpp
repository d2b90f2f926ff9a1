#include "main/ImageButtons.h"

#include "main/UnbuiltCommands.h"
#include "main/View.h"

int ButtonIndex(int command) {
    for (size_t i = 0; i < kButtonCommands.size(); ++i) {
        if (kButtonCommands[i] == command) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ButtonLeft(int index) {
    return 6 + index * (kButtonSize + 4);
}

LanguageKey ButtonTooltip(int command, int view) {
    switch (command) {
        case CommandTaskManager:
            return LanguageKey::RunTaskManagerBrackets;
        case CommandRun:
            return view == ViewAutoruns ? LanguageKey::AddAutorunBrackets : LanguageKey::RunProcessBrackets;
        case CommandPreferences:
            return LanguageKey::Preferences;
        case CommandDiagram:
            return LanguageKey::ShowDiagramBrackets;
        case CommandSearch:
            return LanguageKey::SearchBrackets;
        case CommandEnd:
            return view == ViewWindows    ? LanguageKey::CloseWindowBrackets
                   : view == ViewAutoruns ? LanguageKey::RemoveAutorunBrackets
                                          : LanguageKey::EndProcessBrackets;
        case CommandWebSearch:
            return view == ViewServices   ? LanguageKey::SearchServiceBrackets
                   : view == ViewDrivers  ? LanguageKey::SearchDriverBrackets
                   : view == ViewAutoruns ? LanguageKey::SearchAutorunBrackets
                                          : LanguageKey::SearchProcessBrackets;
        case CommandProcessInformation:
            return LanguageKey::ShowProcessInformationBrackets;
        default:
            return LanguageKey::Refresh;
    }
}

bool ButtonFollowsView(int command) {
    return command == CommandRun || command == CommandEnd || command == CommandWebSearch;
}

bool ButtonEnabled(int command, int view, bool selected) {
    if (!IsCommandBuilt(command)) {
        return false;
    }
    switch (command) {
        case CommandProcessInformation:
            return selected && view == ViewProcesses;
        case CommandWebSearch:
            return selected &&
                   (view == ViewProcesses || view == ViewServices || view == ViewDrivers || view == ViewAutoruns);
        case CommandEnd:
            return selected && (view == ViewProcesses || view == ViewWindows || view == ViewAutoruns);
    }
    return true;
}
