#include "main/processes/KnownProcesses.h"

const KnownProcess* FindKnownProcess(const KnownProcesses& known, uint32_t pid, uint64_t creationTime) {
    auto found = known.find(pid);
    return found == known.end() || found->second.creationTime != creationTime ? nullptr : &found->second;
}

void RememberProcess(KnownProcesses& known, uint32_t pid, const KnownProcess& facts) {
    known[pid] = facts;
}

void ForgetEndedProcesses(KnownProcesses& known, const std::unordered_set<uint32_t>& running) {
    for (auto entry = known.begin(); entry != known.end();) {
        if (running.count(entry->first) == 0)
            entry = known.erase(entry);
        else
            ++entry;
    }
}
