#include "tests/main/services/ServiceTestSupport_win.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "main/services/ServiceControl_win.h"
#include "tests/main/autoruns/ConsoleCommand_win.h"

void RemoveLeftOverTestServices(const std::string& prefix) {
    std::vector<std::string> leftOver;
    for (BeginServiceEnumeration(); NextService();) {
        if (IsLeftOverTestName(CurrentServiceName(), prefix)) {
            leftOver.push_back(CurrentServiceName());
        }
    }
    for (const std::string& name : leftOver) {
        StopService(name);
        RunConsoleCommand("sc.exe delete " + name);
    }
}

std::string TestProgramFolder() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder.resize(folder.rfind('\\') + 1);
    return folder;
}

unsigned long ScQueryState(const std::string& name) {
    ConsoleResult result = RunConsoleCommand("sc.exe query \"" + name + "\"");
    for (const std::string& line : OutputLines(result.output)) {
        std::size_t at = line.find("STATE");
        std::size_t colon = line.find(':');
        if (at != std::string::npos && colon != std::string::npos && colon > at) {
            return std::strtoul(line.c_str() + colon + 1, nullptr, 10);
        }
    }
    return 0;
}
