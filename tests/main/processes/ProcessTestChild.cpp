// A child process for the process layer's tests. Modes:
//   sleep <ready>                   sleep
//   spin <ready>                    keep one processor busy
//   count <ready> <mapping>         keep one processor busy counting in the named shared memory
//   threads <ready> <count>         start <count> sleeping threads, then sleep
//   write <ready> <go> <done> <file> <bytes>
//                                   after event <go>, write <bytes> to <file>, set <done>, sleep
//   parent <ready> <pid file>       start a sleeping child of its own and write its id to <pid file>
// <ready> is the name of an event set once the mode is under way, or "-". Every mode ends by
// itself after two minutes, so a failed test leaves nothing running.

#include <windows.h>

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

int Spin(const char* ready) {
    Signal(ready);
    DWORD start = GetTickCount();
    volatile unsigned counter = 0;
    while (GetTickCount() - start < kLifetime)
        ++counter;
    return 0;
}

// The count shows the test whether this process runs: its own CPU times cannot be read from
// another process under Wine.
int Count(const char* ready, const char* mapping) {
    HANDLE shared = OpenFileMappingA(FILE_MAP_WRITE, FALSE, mapping);
    if (shared == nullptr)
        return 2;
    auto* counter = static_cast<volatile LONG*>(MapViewOfFile(shared, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
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
        return Spin(ready);
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
