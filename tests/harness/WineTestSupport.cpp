#include "tests/harness/WineTestSupport.h"

#include <sddl.h>

#include <cstdlib>

std::string WindowsPathFromUnix(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        return path;
    }
    std::string result = "Z:" + path;
    for (char& c : result) {
        if (c == '/') {
            c = '\\';
        }
    }
    return result;
}

namespace {

std::string FromEnvironment(const char* variable, const char* name) {
    const char* folder = std::getenv(variable);
    std::string path = WindowsPathFromUnix(folder != nullptr ? folder : ".");
    return path + "\\" + name;
}

}  // namespace

std::string DistFile(const char* name) {
    return FromEnvironment("VANTREL_DIST", name);
}

std::string SourceFile(const char* relative) {
    std::string path = FromEnvironment("VANTREL_SOURCE", relative);
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

StartedProgram StartProgram(const std::string& path, const std::string& arguments) {
    StartedProgram program;
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    program.started = CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &program.info) != FALSE;
    if (!program.started) {
        program.failure = "CreateProcess failed, " + LastError();
    }
    return program;
}

HWND WaitForProcessWindow(const char* windowClass, const char* title, DWORD processId, DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, windowClass, title)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId) {
                return window;
            }
        }
        Sleep(50);
    } while (GetTickCount() - start < milliseconds);
    return nullptr;
}

bool WaitUntilVisible(HWND window, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!IsWindowVisible(window)) {
        if (GetTickCount() - start >= milliseconds) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

long WaitForExit(StartedProgram& program, DWORD milliseconds) {
    if (!program.started) {
        return -1;
    }
    long result = -1;
    if (WaitForSingleObject(program.info.hProcess, milliseconds) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(program.info.hProcess, &code);
        result = static_cast<long>(code);
    } else {
        TerminateProcess(program.info.hProcess, 1);
        WaitForSingleObject(program.info.hProcess, 5000);
    }
    CloseHandle(program.info.hThread);
    CloseHandle(program.info.hProcess);
    program.started = false;
    return result;
}

void WithoutFileRedirection(const std::function<void()>& access) {
    using DisableFunction = BOOL(WINAPI*)(PVOID*);
    using RevertFunction = BOOL(WINAPI*)(PVOID);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto disable = reinterpret_cast<DisableFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
    auto revert = reinterpret_cast<RevertFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
    PVOID previous = nullptr;
    bool disabled = disable != nullptr && revert != nullptr && disable(&previous);
    access();
    if (disabled) {
        revert(previous);
    }
}

long SetRegistryKeySecurity(HKEY root, const std::string& subKey, const char* accessList) {
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(accessList, SDDL_REVISION_1, &security, nullptr)) {
        return static_cast<long>(GetLastError());
    }
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(root, subKey.c_str(), 0, WRITE_DAC | KEY_WOW64_32KEY, &key);
    if (result == ERROR_SUCCESS) {
        result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security);
        RegCloseKey(key);
    }
    LocalFree(security);
    return result;
}
