// A child process for the process layer's tests. Modes:
//   sleep <ready>                   sleep
//   spin <ready> [<mapping>]        keep one processor busy, writing its own CPU milliseconds into
//                                   the named shared memory as they grow
//   count <ready> <mapping>         keep one processor busy counting in the named shared memory
//   threads <ready> <count>         start <count> sleeping threads, then sleep
//   write <ready> <go> <done> <file> <bytes>
//                                   after event <go>, write <bytes> to <file>, set <done>, sleep
//   parent <ready> <pid file>       start a sleeping child of its own and write its id to <pid file>
// <ready> is the name of an event set once the mode is under way, or "-". Every mode ends by
// itself after two minutes, so a failed test leaves nothing running.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kLifetime = 120000;

void Signal(const char* name) {
    if (std::strcmp(name, "-") == 0)
        return;
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    if (event != nullptr) {
        SetEvent(event);
        CloseHandle(event);
    }
}

DWORD WINAPI SleepingThread(void*) {
    Sleep(kLifetime);
    return 0;
}

volatile LONG* SharedCounter(const char* mapping) {
    HANDLE shared = OpenFileMappingA(FILE_MAP_WRITE, FALSE, mapping);
    return shared == nullptr ? nullptr
                             : static_cast<volatile LONG*>(MapViewOfFile(shared, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
}

LONG OwnCpuMilliseconds() {
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    return static_cast<LONG>((kernel.dwLowDateTime + (uint64_t{kernel.dwHighDateTime} << 32) + user.dwLowDateTime +
                              (uint64_t{user.dwHighDateTime} << 32)) /
                             10000);
}

// The written times let the test know what the process really got on a machine busy with other
// work, from a source other than the one under test.
int Spin(const char* ready, const char* mapping) {
    volatile LONG* used = mapping != nullptr ? SharedCounter(mapping) : nullptr;
    if (mapping != nullptr && used == nullptr)
        return 2;
    Signal(ready);
    DWORD start = GetTickCount(), reported = start;
    volatile unsigned counter = 0;
    for (DWORD now; (now = GetTickCount()) - start < kLifetime;) {
        ++counter;
        if (used != nullptr && now != reported) {
            reported = now;
            *used = OwnCpuMilliseconds();
        }
    }
    return 0;
}

// The count shows the test whether this process runs: its own CPU times cannot be read from
// another process under Wine.
int Count(const char* ready, const char* mapping) {
    volatile LONG* counter = SharedCounter(mapping);
    if (counter == nullptr)
        return 3;
    Signal(ready);
    for (DWORD start = GetTickCount(); GetTickCount() - start < kLifetime;)
        InterlockedIncrement(counter);
    return 0;
}

int Write(const char* ready, const char* go, const char* done, const char* path, size_t bytes) {
    HANDLE goEvent = OpenEventA(SYNCHRONIZE, FALSE, go);
    Signal(ready);
    if (goEvent == nullptr || WaitForSingleObject(goEvent, kLifetime) != WAIT_OBJECT_0)
        return 2;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    std::vector<char> block(1000000, 'v');
    while (bytes > 0) {
        DWORD part = static_cast<DWORD>(bytes < block.size() ? bytes : block.size());
        DWORD written = 0;
        if (!WriteFile(file, block.data(), part, &written, nullptr) || written == 0)
            break;
        bytes -= written;
    }
    CloseHandle(file);
    Signal(done);
    Sleep(kLifetime);
    return 0;
}

int Parent(const char* self, const char* ready, const char* pidFile) {
    std::string commandLine = std::string("\"") + self + "\" sleep -";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(self, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
        return 2;
    FILE* file = std::fopen(pidFile, "w");
    if (file != nullptr) {
        std::fprintf(file, "%lu\n", static_cast<unsigned long>(child.dwProcessId));
        std::fclose(file);
    }
    Signal(ready);
    // The child of its own goes with it.
    DWORD result = WaitForSingleObject(child.hProcess, kLifetime);
    if (result != WAIT_OBJECT_0)
        TerminateProcess(child.hProcess, 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 1;
    const char* mode = argv[1];
    const char* ready = argv[2];
    if (std::strcmp(mode, "sleep") == 0) {
        Signal(ready);
        Sleep(kLifetime);
        return 0;
    }
    if (std::strcmp(mode, "load") == 0 && argc >= 4) {
        if (LoadLibraryA(argv[3]) == nullptr)
            return 2;
        Signal(ready);
        Sleep(kLifetime);
        return 0;
    }
    if (std::strcmp(mode, "spin") == 0)
        return Spin(ready, argc >= 4 ? argv[3] : nullptr);
    if (std::strcmp(mode, "count") == 0 && argc >= 4)
        return Count(ready, argv[3]);
    if (std::strcmp(mode, "threads") == 0 && argc >= 4) {
        int count = std::atoi(argv[3]);
        for (int i = 0; i < count; ++i)
            CloseHandle(CreateThread(nullptr, 0, SleepingThread, nullptr, 0, nullptr));
        Signal(ready);
        Sleep(kLifetime);
        return 0;
    }
    if (std::strcmp(mode, "write") == 0 && argc >= 7)
        return Write(ready, argv[3], argv[4], argv[5], std::strtoull(argv[6], nullptr, 10));
    if (std::strcmp(mode, "parent") == 0 && argc >= 4) {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, sizeof(self));
        return Parent(self, ready, argv[3]);
    }
    return 1;
}
