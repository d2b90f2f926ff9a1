#include "tray/agencies/AgencyPass.h"

#include <unordered_set>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"

namespace {

const std::string& Field(const AgencyRow& row, size_t field) {
    static const std::string empty;
    return field < row.fields.size() ? row.fields[field] : empty;
}

// Column 0 names the program of avoid rows, column 1 the trigger of program-start rows.
constexpr size_t kTriggerField = 1;
constexpr size_t kAvoidProgramField = 0;
constexpr size_t kConditionField = 1;

std::string WithSecondArgument(std::string text, std::string_view argument) {
    const std::string marker = "<%2>";
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + argument.size())) {
        text.replace(at, marker.size(), argument);
    }
    return text;
}

std::string BalloonTitle() {
    return "Vantrel - " + LanguageText(LanguageKey::Information);
}

}  // namespace

ProgramLaunch LaunchOf(const AgencyRow& row) {
    ProgramLaunch launch;
    launch.path = Field(row, 4);
    launch.parameters = Field(row, 2);
    launch.hidden = !Field(row, 3).empty();
    return launch;
}

std::vector<ProgramLaunch> TakeDueSystemStarts(std::vector<AgencyRow>& rows,
                                               const ConditionTexts& texts,
                                               const ConditionInputs& inputs) {
    std::vector<ProgramLaunch> due;
    for (AgencyRow& row : rows) {
        if (row.examined) {
            continue;
        }
        ConditionVerdict verdict =
            EvaluateConditionList(Field(row, kConditionField), ConditionAsker::SystemStart, texts, inputs);
        if (verdict.holds) {
            due.push_back(LaunchOf(row));
            row.examined = true;
        } else if (verdict.failedType != ConditionDelayTime) {
            row.examined = true;
        }
    }
    return due;
}

bool ProcessMatches(std::string_view text, std::string_view path) {
    return !text.empty() && (text == path || text == FileNameOfPath(path));
}

NewProcessWork TakeNewProcesses(KnownProcessList& known,
                                const std::vector<RunningProcess>& snapshot,
                                const std::function<std::string(uint32_t)>& pathOf,
                                const AgencyLists& agencies,
                                const ConditionTexts& texts,
                                const ConditionInputs& inputs) {
    NewProcessWork work;
    std::unordered_set<uint32_t> running;
    running.reserve(snapshot.size() * 2);
    for (const RunningProcess& seen : snapshot) {
        running.insert(seen.pid);
        if (known.count(seen.pid) != 0) {
            continue;
        }
        RunningProcess process = seen;
        process.path = pathOf(seen.pid);
        known.emplace(process.pid, process.path);
        for (const AgencyRow& row : agencies.programStart) {
            if (ProcessMatches(Field(row, kTriggerField), process.path)) {
                work.launches.push_back(LaunchOf(row));
            }
        }
        bool ended = false;
        for (const AgencyRow& row : agencies.avoid) {
            if (!ended && ProcessMatches(Field(row, kAvoidProgramField), process.path) &&
                EvaluateConditionList(Field(row, kConditionField), ConditionAsker::Avoid, texts, inputs).holds) {
                work.toEnd.push_back(process);
                ended = true;
            }
        }
        if (!ended) {
            work.toAnnounce.push_back(process);
        }
    }
    for (auto entry = known.begin(); entry != known.end();) {
        entry = running.count(entry->first) != 0 ? std::next(entry) : known.erase(entry);
    }
    return work;
}

Balloon AvoidBalloon(bool ended, const std::string& path) {
    Balloon balloon;
    balloon.title = BalloonTitle();
    balloon.text = LanguageTextWith(ended ? LanguageKey::AvoidSuccessful : LanguageKey::AvoidFailed, path);
    balloon.icon = ended ? BalloonIcon::Warning : BalloonIcon::Error;
    return balloon;
}

Balloon NewProcessBalloon(const std::string& name, const VersionFacts& facts, const std::string& parent) {
    Balloon balloon;
    balloon.title = BalloonTitle();
    if (name.empty()) {
        balloon.text = ExpandLineBreaks(LanguageText(LanguageKey::NewProcessUnknown));
        balloon.icon = BalloonIcon::Warning;
        return balloon;
    }
    std::string subject = name;
    std::string details;
    if (!facts.description.empty()) {
        subject = facts.description;
        details = "\r\n\r\n" + LanguageText(LanguageKey::Company) + ": " + facts.company + "\r\n" +
                  LanguageText(LanguageKey::Version) + ": " + facts.version;
    }
    balloon.text = parent.empty()
                       ? LanguageTextWith(LanguageKey::NewProcess, subject)
                       : WithSecondArgument(LanguageTextWith(LanguageKey::NewProcessStartedBy, subject), parent);
    balloon.text += details;
    return balloon;
}

std::string ParentLabel(const std::string& description, const std::string& processName, const std::string& path) {
    if (path.empty()) {
        return std::string();
    }
    if (!description.empty()) {
        return description;
    }
    return !processName.empty() ? processName : FileNameOfPath(path);
}

void MarkWatchUnseen(PriorityWatchList& watch) {
    for (auto& entry : watch) {
        entry.second.seen = false;
    }
}

WatchEntry& SeeWatchedProcess(PriorityWatchList& watch, uint32_t pid, uint32_t priorityClass) {
    WatchEntry& entry = watch[pid];
    entry.seen = true;
    if (!entry.slowed) {
        entry.savedPriority = priorityClass;
    }
    return entry;
}

float TakeWatchShare(WatchEntry& entry, const CpuSample& sample) {
    float share = entry.hasPrevious ? CpuShare(entry.previous, sample) : 0.0f;
    entry.previous = sample;
    entry.hasPrevious = true;
    return share;
}

WatchStep NextWatchStep(const WatchEntry& entry, float share) {
    if (share > kSlowDownAbove && !entry.slowed && entry.savedPriority != 0 &&
        entry.savedPriority != kIdlePriorityClass) {
        return WatchStep::SlowDown;
    }
    if (share < kRestoreBelow && entry.slowed) {
        return WatchStep::Restore;
    }
    return WatchStep::Keep;
}

std::vector<uint32_t> DropUnseenWatchEntries(PriorityWatchList& watch) {
    std::vector<uint32_t> slowed;
    for (auto entry = watch.begin(); entry != watch.end();) {
        if (entry->second.seen) {
            ++entry;
            continue;
        }
        if (entry->second.slowed) {
            slowed.push_back(entry->first);
        }
        entry = watch.erase(entry);
    }
    return slowed;
}
