#pragma once
// Helpers for Windows tests that run under Wine: paths handed over from the build, and the
// start and end of the programs under test.

#include <windows.h>

#include <functional>
#include <string>

// The calling thread's last error, for the message of an assertion on a Win32 call that failed:
// ASSERT_TRUE(CopyFileA(...)) << LastError();
inline std::string LastError() {
    return "last error " + std::to_string(GetLastError());
}

// True when the test runs under Wine, whose ntdll has an export of its own for its version.
inline bool RunsOnWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// A test that meets a known gap of Wine's: when the gap shows (`gapShows`) under Wine, the test is
// skipped with what Windows does instead (`windowsBehaviour`). The gap must show under Wine and
// must not on Windows: once Wine behaves as Windows does, the test fails, so that the skip goes
// with the gap. Use it in the test body itself, as GTEST_SKIP.
#define VANTREL_SKIP_WINE_GAP(gapShows, windowsBehaviour)                                                  \
    do {                                                                                                   \
        const bool vantrelGapShows = (gapShows);                                                           \
        if (vantrelGapShows != RunsOnWine()) {                                                             \
            FAIL() << (RunsOnWine() ? "Wine now does what Windows does, so the skip for its gap must go: " \
                                    : "Windows does not do what it should: ")                              \
                   << (windowsBehaviour);                                                                  \
        }                                                                                                  \
        if (vantrelGapShows) {                                                                             \
            GTEST_SKIP() << "a known gap of Wine's; on Windows, " << (windowsBehaviour);                   \
        }                                                                                                  \
    } while (false)

// A Unix path from the build (such as VANTREL_DIST) as Wine sees it: drive Z: is the root.
std::string WindowsPathFromUnix(const std::string& path);

// The named file in the distribution folder of the build under test.
std::string DistFile(const char* name);

// A file in the source tree (resources, language files).
std::string SourceFile(const char* relative);

struct StartedProgram {
    PROCESS_INFORMATION info{};
    bool started = false;
    std::string failure;  // why it did not start
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
