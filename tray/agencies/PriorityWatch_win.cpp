#include "tray/agencies/AgencyRuntime_win.h"

#include <mmsystem.h>

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "main/processes/ProcessLayerState_win.h"
#include "tray/TrayPlugIns_win.h"
#include "tray/TrayProgram_win.h"

namespace {

// The processes the watch slowed, each held open so that it can be given its class back even
// after its rights changed, and never a namesake that got its id later.
std::unordered_map<DWORD, ScopedHandle> g_slowed;

DWORD PriorityClassOf(DWORD pid) {
    ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    return process.valid() ? GetPriorityClass(process.get()) : 0;
}

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The process's CPU times now: from the pass's system query, else asked of the process itself.
bool ReadWatchSample(DWORD pid, const SystemProcessRecord* record, uint32_t clock, CpuSample& sample) {
    if (record != nullptr) {
        sample = MakeCpuSample(record->userTime, record->kernelTime, clock);
        return true;
    }
    ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    FILETIME creation{}, exit{}, kernel{}, user{};
    if (!process.valid() || !GetProcessTimes(process.get(), &creation, &exit, &kernel, &user)) {
        return false;
    }
    sample = MakeCpuSample(Ticks(user), Ticks(kernel), timeGetTime());
    return true;
}

DWORD MainProgramId() {
    DWORD mainProgram = 0;
    if (HWND main = FindWindowA(kWindowClassName, kMainWindowTitle)) {
        GetWindowThreadProcessId(main, &mainProgram);
    }
    return mainProgram;
}

void SlowDown(DWORD pid, WatchEntry& entry) {
    ScopedHandle process(OpenProcess(PROCESS_SET_INFORMATION | PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (process.valid() && SetPriorityClass(process.get(), kIdlePriorityClass)) {
        entry.slowed = true;
        g_slowed[pid].reset(process.release());
    }
}

void Restore(DWORD pid, WatchEntry& entry) {
    auto held = g_slowed.find(pid);
    if (held != g_slowed.end()) {
        SetPriorityClass(held->second.get(), entry.savedPriority);
        g_slowed.erase(held);
    }
    entry.slowed = false;
}

}  // namespace

void RunPriorityWatch() {
    PriorityWatchList& watch = TheAgencyRuntime().watch;
    bool slowing = Tray().preferences.PreferencesAutoSlowDown != 0;
    MarkWatchUnseen(watch);
    std::vector<RunningProcess> processes = RunningProcesses();
    const ProcessLayerState& layer = LayerState();
    // Neither this program nor the main program is ever slowed: both must stay usable.
    const DWORD exempt[] = {0, GetCurrentProcessId(), MainProgramId()};
    for (const RunningProcess& process : processes) {
        if (std::find(std::begin(exempt), std::end(exempt), process.pid) != std::end(exempt)) {
            continue;
        }
        WatchEntry& entry = SeeWatchedProcess(watch, process.pid, PriorityClassOf(process.pid));
        CpuSample sample;
        if (!slowing || !ReadWatchSample(process.pid, SystemRecordOf(process.pid), layer.systemRecordsClock, sample)) {
            continue;
        }
        switch (NextWatchStep(entry, TakeWatchShare(entry, sample))) {
            case WatchStep::SlowDown:
                SlowDown(process.pid, entry);
                break;
            case WatchStep::Restore:
                Restore(process.pid, entry);
                break;
            case WatchStep::Keep:
                break;
        }
    }
    for (uint32_t ended : DropUnseenWatchEntries(watch)) {
        g_slowed.erase(ended);
    }
}

void RestoreSlowedProcesses() {
    for (auto& entry : TheAgencyRuntime().watch) {
        if (entry.second.slowed) {
            Restore(entry.first, entry.second);
        }
    }
    g_slowed.clear();
}
