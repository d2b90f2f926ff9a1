// A program for the agency tests to start, end, follow and watch:
//   agency-child sleep MS           waits, then ends
//   agency-child spin MS REST       keeps twelve threads busy for MS, then waits REST (the watch measures
//                                   shares of one processor, and twelve threads pass 80 % of one even on
//                                   a machine busy with other work)
//   agency-child mark FILE [WORDS]  appends its command line to FILE as one line, then ends
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

constexpr int kSpinThreads = 12;
DWORD g_spinMilliseconds = 0;

DWORD WINAPI Spin(LPVOID) {
    DWORD start = GetTickCount();
    volatile unsigned long spins = 0;
    while (GetTickCount() - start < g_spinMilliseconds) {
        ++spins;
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "mark") == 0) {
        std::ofstream(argv[2], std::ios::app) << GetCommandLineA() << "\n";
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "spin") == 0) {
        g_spinMilliseconds = static_cast<DWORD>(std::atoi(argv[2]));
        HANDLE threads[kSpinThreads];
        for (HANDLE& thread : threads) {
            thread = CreateThread(nullptr, 0, Spin, nullptr, 0, nullptr);
        }
        WaitForMultipleObjects(kSpinThreads, threads, TRUE, INFINITE);
        Sleep(static_cast<DWORD>(std::atoi(argv[3])));
        return 0;
    }
    return 2;
}
