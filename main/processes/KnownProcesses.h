#pragma once
// What never changes while a process runs (its name, image path and the executable's attributes
// and size), read once and kept for later refreshes. A process is its id together with its
// creation time: an id the system hands out again belongs to a new process.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

struct KnownProcess {
    uint64_t creationTime = 0;
    std::string name;
    std::string path;
    uint32_t fileAttributes = 0xFFFFFFFF;
    uint64_t fileSize = 0;
};

using KnownProcesses = std::unordered_map<uint32_t, KnownProcess>;

// The facts of the process with this id and creation time; null when they were not read yet.
const KnownProcess* FindKnownProcess(const KnownProcesses& known, uint32_t pid, uint64_t creationTime);
// Replaces whatever was known under the id.
void RememberProcess(KnownProcesses& known, uint32_t pid, const KnownProcess& facts);
// Drops the entries of ids that are not running any more, which bounds the cache by the processes
// of the latest refresh.
void ForgetEndedProcesses(KnownProcesses& known, const std::unordered_set<uint32_t>& running);
