// The windows view's rebuild (RebuildWindowsList on a real list view) over the desktop's windows
// plus 200 windows of a test program, against a bare EnumWindows pass that reads each title, in the
// same run. Prints the cost per window of each and their ratio.
//
//   windows_list_bench.exe [rounds]        (default 15 rounds per figure; the median counts)

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "main/LibraryTable_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/WindowsView_win.h"

namespace {

constexpr int kBenchWindows = 200;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double MedianSeconds(int rounds, Work work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        times.push_back(Seconds(start, end));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

BOOL CALLBACK CountAndReadTitle(HWND window, LPARAM context) {
    char title[257];
    GetWindowTextA(window, title, sizeof title);
    ++*reinterpret_cast<int*>(context);
    return TRUE;
}

std::string ProgramBesideTests() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    folder = folder.substr(0, folder.rfind('\\') + 1);
    return folder + "..\\tests\\main\\processes\\windows_test_program.exe";
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 15;
    OpenLibraryTable();
    InitProcessLayer();
    InitCommonControls();

    std::string command = "\"" + ProgramBesideTests() + "\" " + std::to_string(kBenchWindows);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) {
        std::printf("cannot start %s\n", command.c_str());
        return 1;
    }
    // The last window the child makes tells that all of them are there.
    const std::string last = "Bench " + std::to_string(kBenchWindows - 1) + " " + std::to_string(child.dwProcessId);
    for (int wait = 0; wait < 400 && FindWindowA(nullptr, last.c_str()) == nullptr; ++wait)
        Sleep(50);

    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    CreateWindowsList(parent);
    int windows = 0;
    EnumWindows(CountAndReadTitle, reinterpret_cast<LPARAM>(&windows));

    // Interleaved rounds, so that a change of the machine's load meets both alike.
    auto barePass = [] {
        int count = 0;
        EnumWindows(CountAndReadTitle, reinterpret_cast<LPARAM>(&count));
    };
    std::vector<double> bareTimes, rebuildTimes;
    for (int i = 0; i < rounds; ++i) {
        bareTimes.push_back(MedianSeconds(1, barePass));
        rebuildTimes.push_back(MedianSeconds(1, [] { RebuildWindowsList(); }));
    }
    std::sort(bareTimes.begin(), bareTimes.end());
    std::sort(rebuildTimes.begin(), rebuildTimes.end());
    const double bare = bareTimes[bareTimes.size() / 2];
    const double rebuild = rebuildTimes[rebuildTimes.size() / 2];
    const size_t rows = WindowsList().table->rows.size();

    std::printf("top-level windows: %d, listed rows: %zu\n", windows, rows);
    std::printf("bare EnumWindows + GetWindowTextA: %.2f us per window\n", bare * 1e6 / windows);
    std::printf("RebuildWindowsList:                %.2f us per window\n", rebuild * 1e6 / windows);
    std::printf("ratio rebuild / bare: %.1f\n", rebuild / bare);

    TerminateProcess(child.hProcess, 0);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return 0;
}
