#pragma once
// Helpers for Windows tests that run under Wine: paths handed over from the build, and the
// start and end of the programs under test.

#include <windows.h>

#include <functional>
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

// Runs `access` with this thread's WoW64 file system redirection switched off, so that a 32-bit test
// reaches native system files by their own names: a reference independent of the product's way
// there. Without WoW64 it just runs `access`.
void WithoutFileRedirection(const std::function<void()>& access);

// Sets the access list of a registry key (in the 32-bit view) from its SDDL form, such as
// "D:P(A;;KR;;;WD)" for a key everyone may only read; the key's owner may always set it again.
// ERROR_SUCCESS or the error.
long SetRegistryKeySecurity(HKEY root, const std::string& subKey, const char* accessList);
