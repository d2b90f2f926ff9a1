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
