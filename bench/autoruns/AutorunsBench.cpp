// The autorun list's refresh over 200 Run values that point at real files: the first refresh
// (every target hashed and its icon extracted) and an unchanged second one (the file stamp caches
// answer), each against just enumerating and reading the values, all in the same run. With a file
// argument it also times FileHash over that file, for run.sh to set against sha1sum.
//
//   autoruns_bench.exe [rounds] [file to hash]     (default 7 rounds; the median counts)

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/PreferencesDefaults.h"
#include "main/LibraryTable_win.h"
#include "main/autoruns/AutorunsView_win.h"
#include "main/autoruns/Registry_win.h"
#include "main/database/FileHash_win.h"

namespace {

const char kRunKey[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr int kValueCount = 200;

double Milliseconds(LARGE_INTEGER start, LARGE_INTEGER end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double TimeOnce(Work work) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

template <typename Work>
double Median(int rounds, Work work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        times.push_back(TimeOnce(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string ValueName(int i) {
    return "VantrelBench" + std::to_string(i);
}

// Reads every value of the Run key: what any scan must at least do.
void EnumerateValues() {
    for (const std::string& name : RegistryValueNames(kRunKey)) {
        ReadRegistryText(kRunKey, name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    OpenLibraryTable();
    InitCommonControls();

    if (argc > 2) {
        // The fastest of three, as run.sh takes sha1sum's.
        std::string hash;
        double hashing = 1e300;
        for (int i = 0; i < 3; ++i) {
            hashing = std::min(hashing, TimeOnce([&] { hash = FileHash(argv[2]); }));
        }
        std::printf("FileHash %s %.1f ms\n", hash.c_str(), hashing);
    }

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "vantrel-autoruns-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    for (int i = 0; i < kValueCount; ++i) {
        std::string file = folder + "\\bench" + std::to_string(i) + ".exe";
        CopyFileA((std::string(system) + "\\notepad.exe").c_str(), file.c_str(), FALSE);
        WriteRegistryValue(kRunKey, ValueName(i), "\"" + file + "\" /background", kRegistryString);
    }

    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 900, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    MainPreferences preferences;
    preferences.PreferencesUseDatabase = 0;
    RatingDatabase database;
    CreateAutorunsView(parent, nullptr, &preferences, &database);
    LayoutAutorunsView(900, 600);

    double enumerate = Median(rounds, EnumerateValues);
    double first = TimeOnce(RefreshAutoruns);
    double second = Median(rounds, RefreshAutoruns);
    std::printf("rows %d\n", ListView_GetItemCount(AutorunsList().list));
    std::printf("enumerate values  %8.2f ms\n", enumerate);
    std::printf("first refresh     %8.2f ms  (%.1f x enumeration)\n", first, first / enumerate);
    std::printf("second refresh    %8.2f ms  (%.1f x enumeration)\n", second, second / enumerate);

    for (int i = 0; i < kValueCount; ++i) {
        DeleteRegistryValue(kRunKey, ValueName(i));
        DeleteFileA((folder + "\\bench" + std::to_string(i) + ".exe").c_str());
    }
    RemoveDirectoryA(folder.c_str());
    DestroyWindow(parent);
    return 0;
}
