#include "tray/agencies/AgencyRuntime_win.h"

#include <tlhelp32.h>

#include <map>
#include <memory>
#include <unordered_map>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/ProgramPaths_win.h"
#include "foundation/ScopedHandles_win.h"
#include "main/FileVersionInfo_win.h"
#include "main/SystemFiles_win.h"
#include "main/processes/ProcessLayerState_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/SystemFigures_win.h"
#include "tray/TrayIcons_win.h"
#include "tray/TrayPlugIns_win.h"
#include "tray/TrayProgram_win.h"
#include "tray/agencies/AgencyWindows_win.h"

namespace {

// A new process's image may not be readable at once; its balloon waits this long at most.
constexpr DWORD kImageWaitMilliseconds = 1500;
// Over a maximised window the taskbar keeps the foreground this long, so the balloon is seen.
constexpr DWORD kForegroundLoanMilliseconds = 2000;
constexpr char kTaskbarClass[] = "Shell_TrayWnd";
constexpr DWORD kUserNameLength = 512;

DWORD BalloonFlags(BalloonIcon icon) {
    switch (icon) {
        case BalloonIcon::Warning:
            return NIIF_WARNING;
        case BalloonIcon::Error:
            return NIIF_ERROR;
        default:
            return NIIF_INFO;
    }
}

// The names Tool Help keeps for processes from their creation on, for those whose image cannot be
// read yet (or ever, without rights): one snapshot per pass at most, taken when first needed.
std::unordered_map<DWORD, std::string> g_snapshotNames;
bool g_snapshotNamesRead = false;

std::string SnapshotName(DWORD pid) {
    if (!g_snapshotNamesRead) {
        g_snapshotNamesRead = true;
        ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
            g_snapshotNames[entry.th32ProcessID] = entry.szExeFile;
        }
    }
    auto found = g_snapshotNames.find(pid);
    return found == g_snapshotNames.end() ? std::string() : found->second;
}

void ForgetSnapshotNames() {
    g_snapshotNames.clear();
    g_snapshotNamesRead = false;
}

std::string ImagePathOf(uint32_t pid) {
    std::string path = ProcessPath(pid);
    if (path.empty()) {
        path = ProcessName(pid);
    }
    return path.empty() ? SnapshotName(pid) : path;
}

std::vector<LanguageCatalogue> OtherLanguages() {
    std::vector<LanguageCatalogue> catalogues;
    std::string folder = LanguageFolder();
    for (const LanguageEntry& entry : ListLanguageFiles(folder)) {
        std::string bytes;
        if (entry.fileName != CurrentLanguage().fileName && ReadWholeFile(JoinPath(folder, entry.fileName), bytes)) {
            catalogues.push_back(ParseLanguageCatalogue(bytes));
        }
    }
    return catalogues;
}

std::string VersionField(const std::string& path, unsigned field) {
    return FileVersionText(path, field, false);
}

void ShowBalloon(const Balloon& balloon) {
    ShowTrayBalloon(balloon.title, balloon.text, BalloonFlags(balloon.icon));
}

// The balloon shows even over a full-screen program: the taskbar is brought forward for it, and
// the window that had the foreground gets it back at once, or after a while when it is maximised.
void ShowBalloonInFront(const Balloon& balloon) {
    AgencyRuntime& runtime = TheAgencyRuntime();
    HWND foreground = GetForegroundWindow();
    if (HWND taskbar = FindWindowA(kTaskbarClass, nullptr)) {
        SetForegroundWindow(taskbar);
    }
    ShowBalloon(balloon);
    if (IsZoomed(foreground)) {
        runtime.foregroundToReturn = foreground;
        runtime.foregroundReturnTick = GetTickCount() + kForegroundLoanMilliseconds;
    } else if (foreground != nullptr) {
        SetForegroundWindow(foreground);
    }
}

void ReturnForeground() {
    AgencyRuntime& runtime = TheAgencyRuntime();
    if (runtime.foregroundToReturn != nullptr &&
        static_cast<int32_t>(GetTickCount() - runtime.foregroundReturnTick) >= 0) {
        SetForegroundWindow(runtime.foregroundToReturn);
        runtime.foregroundToReturn = nullptr;
    }
}

std::string ParentLabelOf(uint32_t parentPid) {
    const KnownProcessList& known = TheAgencyRuntime().known;
    auto parent = known.find(parentPid);
    if (parentPid == 0 || parent == known.end()) {
        return std::string();
    }
    const std::string& path = parent->second;
    return ParentLabel(VersionField(path, kVersionDescription), ProcessName(parentPid), path);
}

Balloon AnnouncementOf(const RunningProcess& process) {
    VersionFacts facts;
    facts.description = VersionField(process.path, kVersionDescription);
    if (!facts.description.empty()) {
        facts.company = VersionField(process.path, kVersionCompany);
        facts.version = VersionField(process.path, kVersionProduct);
    }
    return NewProcessBalloon(FileNameOfPath(process.path), facts, ParentLabelOf(process.parentPid));
}

// The oldest waiting announcement whose image can be read (or that waited long enough) is shown;
// one a pass, as the tray shows one balloon at a time anyway. Nothing here waits.
void ServeAnnouncements() {
    std::vector<PendingAnnouncement>& waiting = TheAgencyRuntime().announcements;
    if (waiting.empty() || TheAgencyRuntime().foregroundToReturn != nullptr) {
        return;
    }
    PendingAnnouncement& first = waiting.front();
    if (first.process.path.empty() || !SystemFileExists(first.process.path)) {
        std::string path = ProcessPath(first.process.pid);
        if (!path.empty()) {
            first.process.path = path;
        }
        if (!SystemFileExists(first.process.path) && GetTickCount() - first.firstSeen < kImageWaitMilliseconds) {
            return;
        }
    }
    Balloon balloon = AnnouncementOf(first.process);
    waiting.erase(waiting.begin());
    ShowBalloonInFront(balloon);
}

size_t WaitingSystemStarts(const AgencyLists& agencies) {
    size_t waiting = 0;
    for (const AgencyRow& row : agencies.systemStart) {
        waiting += row.examined ? 0 : 1;
    }
    return waiting;
}

void EndAvoidedProcess(const RunningProcess& process) {
    bool ended = TerminateById(process.pid, kAvoidExitCode) != FALSE;
    ShowBalloon(AvoidBalloon(ended, process.path));
}

}  // namespace

AgencyRuntime& TheAgencyRuntime() {
    static AgencyRuntime runtime;
    return runtime;
}

std::vector<RunningProcess> RunningProcesses() {
    std::vector<RunningProcess> processes;
    ProcessLayerState& layer = LayerState();
    if (ReadSystemProcesses(layer)) {
        processes.reserve(layer.systemRecords.size());
        for (const SystemProcessRecord& record : layer.systemRecords) {
            processes.push_back({record.pid, record.parentPid, std::string()});
        }
        return processes;
    }
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, std::string()});
    }
    return processes;
}

ConditionInputs SystemConditionInputs() {
    ConditionInputs inputs;
    inputs.elapsedMilliseconds = GetTickCount() - Tray().startTick;
    // One probe per kind and round: several conditions asking the same wait only once.
    auto probes = std::make_shared<std::map<ConditionAsker, bool>>();
    inputs.internetReachable = [probes](ConditionAsker asker) {
        auto known = probes->find(asker);
        if (known != probes->end()) {
            return known->second;
        }
        long limit = asker == ConditionAsker::Avoid ? kAvoidProbeMilliseconds : kSystemStartProbeMilliseconds;
        return (*probes)[asker] = ProbeInternet(TheAgencyRuntime().probeTarget, limit);
    };
    inputs.driveSpace = [] {
        DriveSpace drive;
        ULARGE_INTEGER available{}, total{}, free{};
        if (GetDiskFreeSpaceExA("C:\\", &available, &total, &free)) {
            drive.freeBytes = free.QuadPart;
            drive.totalBytes = total.QuadPart;
        }
        return drive;
    };
    inputs.memory = [] {
        MemoryStatusFigures status = ReadMemoryStatus();
        MemoryFigures memory;
        memory.totalBytes = status.totalPhysical;
        memory.availableBytes = status.totalPhysical - status.usedPhysical;
        return memory;
    };
    inputs.fileSize = [](const std::string& path) -> int64_t {
        SystemFileAccess file(path);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (path.empty() || !GetFileAttributesExA(file.path.c_str(), GetFileExInfoStandard, &data)) {
            return kFileSizeMissing;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            return kFileSizeDirectory;
        }
        return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    };
    inputs.userName = [] {
        char name[kUserNameLength] = {};
        DWORD length = sizeof(name);
        return GetUserNameA(name, &length) ? std::string(name) : std::string();
    };
    return inputs;
}

void LaunchProgram(const ProgramLaunch& launch) {
    SystemFileAccess file(launch.path);
    ShellExecuteA(nullptr, "open", file.path.c_str(), launch.parameters.empty() ? nullptr : launch.parameters.c_str(),
                  nullptr, launch.hidden ? SW_HIDE : SW_SHOWNORMAL);
}

void StartAgencies() {
    AgencyRuntime& runtime = TheAgencyRuntime();
    runtime.conditionTexts = ConditionTextsOf(CurrentLanguage(), OtherLanguages());
    runtime.probeTarget = ReadInternetProbeTarget(Tray().settingsPath);
    CreateAgencyWindows(GetModuleHandleA(nullptr));
    LoadAgencies(Tray().autorun);
    // Whatever runs already is no new process: it triggers nothing and is not announced.
    runtime.known.clear();
    ForgetSnapshotNames();
    for (const RunningProcess& process : RunningProcesses()) {
        runtime.known.emplace(process.pid, ImagePathOf(process.pid));
    }
}

void RunAgencyPass(bool autorun) {
    AgencyRuntime& runtime = TheAgencyRuntime();
    ConditionInputs inputs = SystemConditionInputs();
    AgencyLists& agencies = TheAgencies();
    std::vector<ProgramLaunch> launches;
    size_t waiting = WaitingSystemStarts(agencies);
    if (autorun && waiting != 0) {
        launches = TakeDueSystemStarts(agencies.systemStart, runtime.conditionTexts, inputs);
    }
    ForgetSnapshotNames();
    NewProcessWork work =
        TakeNewProcesses(runtime.known, RunningProcesses(), ImagePathOf, agencies, runtime.conditionTexts, inputs);
    // Unwanted programs first: nothing else in the pass may give them time to run.
    for (const RunningProcess& process : work.toEnd) {
        EndAvoidedProcess(process);
    }
    launches.insert(launches.end(), work.launches.begin(), work.launches.end());
    for (const ProgramLaunch& launch : launches) {
        LaunchProgram(launch);
    }
    if (WaitingSystemStarts(agencies) != waiting) {
        RefreshAgencyLists();  // their done marks changed
    }
    if (Tray().preferences.PreferencesAutoShowStart != 0) {
        for (const RunningProcess& process : work.toAnnounce) {
            runtime.announcements.push_back({process, GetTickCount()});
        }
    } else {
        runtime.announcements.clear();
    }
    ReturnForeground();
    ServeAnnouncements();
    if (Tray().preferences.PreferencesAutoSlowDown == 0) {
        RestoreSlowedProcesses();
    }
}

void StopAgencies() {
    RestoreSlowedProcesses();
    ReturnForeground();
    DestroyAgencyWindows();
}
