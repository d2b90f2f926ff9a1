#include "tests/main/processes/ChildProcess.h"

ChildProcess::~ChildProcess() {
    EndAndForget();
}

void ChildProcess::EndAndForget() {
    if (!started)
        return;
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    started = false;
}

TestEvent::TestEvent() {
    static int counter = 0;
    name = "VantrelProcessTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    handle = CreateEventA(nullptr, TRUE, FALSE, name.c_str());
}

TestEvent::~TestEvent() {
    if (handle != nullptr)
        CloseHandle(handle);
}

std::string TestProgramPath(const char* fileName) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + fileName;
}

std::string ChildProgramPath() {
    return TestProgramPath("process_test_child.exe");
}

void StartChild(ChildProcess& child, const std::string& mode, const std::string& arguments) {
    StartChildProgram(child, ChildProgramPath(), mode, arguments);
}

void StartChildProgram(ChildProcess& child,
                       const std::string& program,
                       const std::string& mode,
                       const std::string& arguments) {
    TestEvent ready;
    std::string commandLine = "\"" + program + "\" " + mode + " " + ready.name;
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    child.started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &child.info) != FALSE;
    if (!child.started) {
        child.failure = "CreateProcess failed, " + LastError();
    } else if (WaitForSingleObject(ready.handle, 20000) != WAIT_OBJECT_0) {
        child.failure = "the child did not report that it was ready within 20 s";
        child.EndAndForget();
    }
}

bool WaitUntilGone(DWORD pid) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20)) {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        if (process == nullptr)
            return true;
        CloseHandle(process);
    }
    return false;
}

void SpinFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    volatile unsigned counter = 0;
    while (GetTickCount() - start < milliseconds)
        ++counter;
}
