#include "main/UnbuiltCommands.h"

#include "main/CommandIds.h"

namespace {

struct CommandRange {
    int first;
    int last;
};

// One line per feature; a feature that lands deletes its line.
constexpr CommandRange kUnbuilt[] = {
    // Exports of the lists that have not joined main/export/ExportedLists_win.cpp yet.
    {CommandExportWindows, CommandExportWindows},
    {CommandExportNetworks, CommandExportNetworks},
    {CommandExportSmart, CommandExportSmart},
    {CommandExportAutoruns, CommandExportAutoruns},
    {CommandPreferences, CommandPreferences},                // preferences window
    {CommandDiagram, CommandDiagram},                        // diagram window
    {CommandProcessInformation, CommandProcessInformation},  // process information window
    {CommandDatabaseQuery, CommandDatabaseChangeProfile},    // rating database commands
};

}  // namespace

bool IsCommandBuilt(int command) {
    for (const CommandRange& range : kUnbuilt) {
        if (command >= range.first && command <= range.last) {
            return false;
        }
    }
    return true;
}
