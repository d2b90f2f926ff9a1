#include "main/UnbuiltCommands.h"

#include <vector>

#include "main/CommandIds.h"

namespace {

struct CommandRange {
    int first;
    int last;
};

// One line per feature; a feature that lands deletes its line. Every feature has landed.
const std::vector<CommandRange> kUnbuilt = {};

}  // namespace

bool IsCommandBuilt(int command) {
    for (const CommandRange& range : kUnbuilt) {
        if (command >= range.first && command <= range.last) {
            return false;
        }
    }
    return true;
}
