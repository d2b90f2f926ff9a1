// Start-up of vantrel.exe, from process creation to its first shown main window, against the
// minimal window program started the same way in the same run; and vantrel's working set then.
//   startup-bench.exe [rounds]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/harness/WineTestSupport.h"

namespace {

struct Start {
    double milliseconds = -1;
    SIZE_T workingSet = 0;
};

Start TimeStart(const std::string& path, const char* windowClass, const char* title) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER begin;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    StartedProgram program = StartProgram(path, "");
    Start result;
    if (!program.started) {
        return result;
    }
    HWND window = nullptr;
    for (;;) {
        window = FindWindowA(windowClass, title);
        if (window != nullptr && IsWindowVisible(window)) {
            break;
        }
        QueryPerformanceCounter(&end);
        if ((end.QuadPart - begin.QuadPart) / frequency.QuadPart > 30) {
            break;
        }
        Sleep(1);
    }
    QueryPerformanceCounter(&end);
    if (window != nullptr) {
        result.milliseconds = 1000.0 * (end.QuadPart - begin.QuadPart) / frequency.QuadPart;
        Sleep(500);  // let the first refresh settle before the working set is read
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        if (GetProcessMemoryInfo(program.info.hProcess, &counters, sizeof(counters))) {
            result.workingSet = counters.WorkingSetSize;
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    WaitForExit(program, 30000);
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    std::string folder(own);
    folder = folder.substr(0, folder.find_last_of('\\'));
    std::vector<double> program;
    std::vector<double> baseline;
    SIZE_T workingSet = 0;
    for (int round = 0; round < rounds; ++round) {
        Start minimal = TimeStart(folder + "\\minimal-window.exe", "MinimalWindow", "Minimal");
        Start vantrel = TimeStart(DistFile("vantrel.exe"), "WindowClass_0", "Vantrel");
        if (minimal.milliseconds < 0 || vantrel.milliseconds < 0) {
            std::printf("a program did not show its window\n");
            return 1;
        }
        baseline.push_back(minimal.milliseconds);
        program.push_back(vantrel.milliseconds);
        workingSet = vantrel.workingSet;
    }
    HWND tray = FindWindowA("WindowClass_0", "Vantrel Systray Window");
    if (tray != nullptr) {
        PostMessageA(tray, WM_APP + 20, 0, 0);
    }
    double a = Median(program);
    double b = Median(baseline);
    std::printf("start-up to shown window, median of %d: vantrel %.1f ms, minimal window %.1f ms, ratio %.2f\n", rounds,
                a, b, b > 0 ? a / b : 0.0);
    std::printf("vantrel working set after start-up: %.1f MB\n", workingSet / 1048576.0);
    return 0;
}
