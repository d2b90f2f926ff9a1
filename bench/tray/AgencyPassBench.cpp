// The tray companion's agency pass over about 300 running processes with 50 agencies (none of
// them matching, as in the steady state between program starts), against one bare Tool Help
// snapshot walked over the same processes, both as CPU time of this process per call.
//
//   agency_pass_bench.exe [passes]        (default 200 of each; run under Wine with cmake/wine-run)

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/processes/ProcessPassTiming.h"
#include "foundation/ScopedHandles_win.h"
#include "main/LibraryTable_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "tray/TrayPlugIns_win.h"
#include "tray/TrayProgram_win.h"
#include "tray/agencies/AgencyRuntime_win.h"
#include "tray/agencies/AgencyWindows_win.h"

namespace {

constexpr size_t kProcessesWanted = 300;
constexpr int kAgenciesPerKind[] = {10, 20, 20};  // system start, program start, avoid

double CpuSeconds() {
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

size_t SnapshotWalk() {
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    size_t count = 0;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        ++count;
    }
    return count;
}

BOOL WINAPI NoTrayIcon(DWORD, PNOTIFYICONDATAA) {
    return TRUE;
}

void FillAgencies() {
    AgencyLists& lists = TheAgencies();
    for (int kind = 0; kind < 3; ++kind) {
        for (int number = 0; number < kAgenciesPerKind[kind]; ++number) {
            std::string name = "absent-" + std::to_string(kind) + "-" + std::to_string(number) + ".exe";
            AgencyRow row;
            row.fields = kind == 2 ? std::vector<std::string>{name, "Free memory at least{1};"}
                                   : std::vector<std::string>{name, name, "", "", "C:\\" + name};
            row.examined = kind == 0;
            AgencyList(lists, static_cast<AgencyKind>(kind)).push_back(row);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    int passes = argc > 1 ? std::max(20, std::atoi(argv[1])) : 200;
    OpenLibraryTable();
    InitProcessLayer();
    TrayShell().notifyIcon = NoTrayIcon;
    Tray().preferences.PreferencesAutoShowStart = 0;
    Tray().startTick = GetTickCount();
    Sleepers sleepers;
    while (SnapshotWalk() < kProcessesWanted) {
        const size_t before = sleepers.running.size();
        sleepers.StartUntil(before + 1);
        if (sleepers.running.size() == before)
            break;
    }
    Sleep(2000);  // let the last ones finish starting
    FillAgencies();
    RunAgencyPass(true);  // every process is new once: its path is read and it is matched

    double start = CpuSeconds();
    for (int pass = 0; pass < passes; ++pass) {
        RunAgencyPass(true);
    }
    double middle = CpuSeconds();
    size_t processes = 0;
    for (int pass = 0; pass < passes; ++pass) {
        processes = SnapshotWalk();
    }
    double end = CpuSeconds();
    double passMicroseconds = (middle - start) * 1e6 / passes;
    double snapshotMicroseconds = (end - middle) * 1e6 / passes;
    std::printf("%zu processes, 50 agencies, %d passes each (CPU time of this process)\n", processes, passes);
    std::printf("agency pass %.0f us, bare snapshot %.0f us, ratio %.2f\n", passMicroseconds, snapshotMicroseconds,
                snapshotMicroseconds > 0 ? passMicroseconds / snapshotMicroseconds : 0.0);

    return 0;
}
