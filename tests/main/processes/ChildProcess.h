#pragma once
// Children of a test, started from the helper program beside the test exe. A child is ended and
// its handles closed when it goes out of scope.

#include <windows.h>

#include <string>

#include "tests/harness/WineTestSupport.h"

struct ChildProcess {
    PROCESS_INFORMATION info{};
    bool started = false;
    std::string failure;  // why it did not start: the system's error, or no word from the child
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();
    DWORD pid() const { return info.dwProcessId; }
    // Ends the child (if still running), waits for it and closes the handles.
    void EndAndForget();
};

// A named event unique to this test process.
struct TestEvent {
    std::string name;
    HANDLE handle = nullptr;
    TestEvent();
    ~TestEvent();
    TestEvent(const TestEvent&) = delete;
    TestEvent& operator=(const TestEvent&) = delete;
};

// The helper program's mode and arguments after the ready event's name; returns once the child
// has set the ready event (started is false when it did not within 20 s).
void StartChild(ChildProcess& child, const std::string& mode, const std::string& arguments = "");
std::string ChildProgramPath();
// The same for another program beside the test exe, which takes its mode and ready event alike.
void StartChildProgram(ChildProcess& child,
                       const std::string& program,
                       const std::string& mode,
                       const std::string& arguments = "");
std::string TestProgramPath(const char* fileName);
// Waits until the process can no longer be opened: Wine keeps an ended process about half a
// second after its last handle is closed. False after 10 s.
bool WaitUntilGone(DWORD pid);
// Keeps the calling thread busy for the time given.
void SpinFor(DWORD milliseconds);

// Shared memory in which a "count" child counts, or a "spin" child writes its CPU milliseconds.
struct RunCounter {
    std::string name = "VantrelRunCounter" + std::to_string(GetCurrentProcessId());
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), name.c_str());
    volatile LONG* count = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(LONG)));
    ~RunCounter() {
        UnmapViewOfFile(const_cast<LONG*>(count));
        CloseHandle(mapping);
    }
    LONG Now() const { return *count; }
    bool Moves() const {
        LONG before = Now();
        Sleep(300);
        return Now() != before;
    }
    // Whether the count stands still over one wait, tried for up to three seconds: a suspension may
    // take a moment to reach the child's thread.
    bool Settles() const {
        for (int attempt = 0; attempt < 30; ++attempt) {
            LONG before = Now();
            Sleep(100);
            if (Now() == before)
                return true;
        }
        return false;
    }
};
