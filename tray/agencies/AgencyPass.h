#pragma once
// What one agency pass decides: which system-start agencies run now, what each newly seen process
// triggers (programs to start, processes to end, processes to announce), and the priority watch's
// steps. Portable; the Win32 side carries the decisions out.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "main/processes/ProcessCpu.h"
#include "tray/agencies/AgencyFile.h"
#include "tray/agencies/Conditions.h"

// Ended by an avoid agency with this exit code, the one the system uses for "service-specific
// error", so whoever waits on the process sees it did not end by itself.
constexpr uint32_t kAvoidExitCode = 1067;

struct ProgramLaunch {
    std::string path;
    std::string parameters;
    bool hidden = false;
};

// The launch an agency row of the start kinds describes: columns 4, 2 and 3.
ProgramLaunch LaunchOf(const AgencyRow& row);

// System-start agencies: each waiting row whose conditions hold is due and done; a failing delay
// leaves it waiting; any other failing condition cancels it for this run.
std::vector<ProgramLaunch> TakeDueSystemStarts(std::vector<AgencyRow>& rows,
                                               const ConditionTexts& texts,
                                               const ConditionInputs& inputs);

struct RunningProcess {
    uint32_t pid = 0;
    uint32_t parentPid = 0;
    std::string path;  // as first seen; for a process whose image is not known yet, its name
};

// Every process id seen, with its path when first seen.
using KnownProcessList = std::unordered_map<uint32_t, std::string>;

// The process's path or its file name equals the text exactly (letter case included).
bool ProcessMatches(std::string_view text, std::string_view path);

struct NewProcessWork {
    std::vector<RunningProcess> toEnd;  // avoid agencies hold for them
    std::vector<ProgramLaunch> launches;
    std::vector<RunningProcess> toAnnounce;  // new, and not ended by an avoid agency
};

// The processes of the snapshot not in the known list, in snapshot order: added to the list with
// the path `pathOf` reads (for them only), matched against the program-start and avoid agencies.
// Ids that left the snapshot are dropped from the list.
NewProcessWork TakeNewProcesses(KnownProcessList& known,
                                const std::vector<RunningProcess>& snapshot,
                                const std::function<std::string(uint32_t)>& pathOf,
                                const AgencyLists& agencies,
                                const ConditionTexts& texts,
                                const ConditionInputs& inputs);

// The balloons of tray icon 0.
enum class BalloonIcon { Information, Warning, Error };
struct Balloon {
    std::string title;
    std::string text;
    BalloonIcon icon = BalloonIcon::Information;
};

struct VersionFacts {
    std::string description;
    std::string company;
    std::string version;
};

Balloon AvoidBalloon(bool ended, const std::string& path);
// `name` is the new process's file name; `parent` what names its parent (empty: none).
Balloon NewProcessBalloon(const std::string& name, const VersionFacts& facts, const std::string& parent);
// What names a parent: its file description, else its process name, else its path's file name.
std::string ParentLabel(const std::string& description, const std::string& processName, const std::string& path);

// The priority watch: a process above 80 % of a processor drops to the idle class and gets its
// saved class back below 20 %.
constexpr uint32_t kIdlePriorityClass = 0x40;
constexpr float kSlowDownAbove = 80.0f;
constexpr float kRestoreBelow = 20.0f;

struct WatchEntry {
    CpuSample previous;
    bool hasPrevious = false;
    uint32_t savedPriority = 0;  // 0: the class could not be read, so the process is never slowed
    bool slowed = false;
    bool seen = false;
};
using PriorityWatchList = std::unordered_map<uint32_t, WatchEntry>;

void MarkWatchUnseen(PriorityWatchList& watch);
// The process's entry, seen, its saved class refreshed while it is not slowed.
WatchEntry& SeeWatchedProcess(PriorityWatchList& watch, uint32_t pid, uint32_t priorityClass);
// The share since the entry's previous sample (0 for the first one); the sample becomes the previous.
float TakeWatchShare(WatchEntry& entry, const CpuSample& sample);

enum class WatchStep { Keep, SlowDown, Restore };
WatchStep NextWatchStep(const WatchEntry& entry, float share);
// Drops the entries not seen in this pass; the ids of the slowed ones among them.
std::vector<uint32_t> DropUnseenWatchEntries(PriorityWatchList& watch);
