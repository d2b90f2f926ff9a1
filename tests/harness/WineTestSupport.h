#pragma once
// Helpers for Windows tests that run under Wine: paths handed over from the build, and the
// start and end of the programs under test.

#include <windows.h>

#include <string>

// A Unix path from the build (such as VANTREL_DIST) as Wine sees it: drive Z: is the root.
std::string WindowsPathFromUnix(const std::string& path);

// The named file in the distribution folder of the build under test.
std::string DistFile(const char* name);

// A file in the source tree (resources, language files).
std::string SourceFile(const char* relative);

struct StartedProgram {
    PROCESS_INFORMATION info{};
    bool started = false;
};

// Starts a program with the given command-line arguments (may be empty).
StartedProgram StartProgram(const std::string& path, const std::string& arguments);

// Waits up to `milliseconds` for a top-level window of the class and title that belongs to `processId`.
HWND WaitForProcessWindow(const char* windowClass, const char* title, DWORD processId, DWORD milliseconds);

// Waits up to `milliseconds` until the window is visible; programs show their window only at the end
// of their start-up.
bool WaitUntilVisible(HWND window, DWORD milliseconds);

// Waits for the process to end; returns its exit code, or -1 after the time-out (the process is then ended).
long WaitForExit(StartedProgram& program, DWORD milliseconds);
