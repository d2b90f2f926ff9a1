// A child for the test of ending several processes at once: it watches another process, A, and its
// own priority class, and writes to a file which of the two changed first.
//   end_order_watcher watch <ready> <pid of A> <file>
// Verdicts: "idle-first" (this process turned idle while A was seen running afterwards),
// "A-ended-while-normal", "idle-and-A-ended-together" (both seen at once, no order known) and
// "other-priority". A is asked first in each turn: a change seen in the second read with A
// still running in the first cannot be ordered, hence the second look at A. Ends by itself after
// two minutes.

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kLifetime = 120000;

void Signal(const char* name) {
    HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    if (event != nullptr) {
        SetEvent(event);
        CloseHandle(event);
    }
}

bool Ended(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

const char* Watch(HANDLE other) {
    DWORD initial = GetPriorityClass(GetCurrentProcess());
    for (DWORD start = GetTickCount(); GetTickCount() - start < kLifetime;) {
        if (Ended(other))
            return "A-ended-while-normal";
        DWORD now = GetPriorityClass(GetCurrentProcess());
        if (now == initial)
            continue;
        if (now != IDLE_PRIORITY_CLASS)
            return "other-priority";
        return Ended(other) ? "idle-and-A-ended-together" : "idle-first";
    }
    return "nothing-changed";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || std::strcmp(argv[1], "watch") != 0)
        return 1;
    HANDLE other = OpenProcess(SYNCHRONIZE, FALSE, std::strtoul(argv[3], nullptr, 10));
    // Opened before the watch, so that the verdict is written at once: this process is ended soon
    // after A.
    HANDLE file = CreateFileA(argv[4], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (other == nullptr || file == INVALID_HANDLE_VALUE)
        return 2;
    Signal(argv[2]);
    std::string verdict = Watch(other);
    DWORD written = 0;
    WriteFile(file, verdict.data(), static_cast<DWORD>(verdict.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
    Sleep(kLifetime);
    return 0;
}
