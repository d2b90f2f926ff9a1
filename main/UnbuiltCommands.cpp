#include "main/UnbuiltCommands.h"

#include "main/CommandIds.h"

namespace {

struct CommandRange {
    int first;
    int last;
};

// One line per feature; a feature that lands deletes its line.
constexpr CommandRange kUnbuilt[] = {
    {CommandDatabaseQuery, CommandDatabaseChangeProfile},  // rating database commands
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
