// A program for the agency tests to start, end, follow and watch:
//   agency-child sleep MS           waits, then ends
//   agency-child spin MS REST       keeps one processor busy for MS, then waits REST
//   agency-child mark FILE [WORDS]  appends its command line to FILE as one line, then ends
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

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
        DWORD start = GetTickCount();
        volatile unsigned long spins = 0;
        while (GetTickCount() - start < static_cast<DWORD>(std::atoi(argv[2]))) {
            ++spins;
        }
        Sleep(static_cast<DWORD>(std::atoi(argv[3])));
        return 0;
    }
    return 2;
}
