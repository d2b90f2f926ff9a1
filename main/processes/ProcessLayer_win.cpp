#include "main/processes/ProcessLayer_win.h"

#include <tlhelp32.h>

#include <algorithm>
#include <type_traits>

#include "foundation/ScopedHandles_win.h"
#include "main/LibraryTable_win.h"
#include "main/processes/ProcessLayerState_win.h"

ProcessLayerState& LayerState() {
    static ProcessLayerState state;
    return state;
}

BOOL EnablePrivilege(const char* privilegeName) {
    ScopedHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.receive()))
        return FALSE;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    BOOL result = FALSE;
    if (LookupPrivilegeValueA(nullptr, privilegeName, &privileges.Privileges[0].Luid)) {
        SetLastError(ERROR_SUCCESS);
        result = AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
        // The call succeeds without enabling anything when the token lacks the privilege.
        if (result && GetLastError() == ERROR_NOT_ALL_ASSIGNED)
            result = FALSE;
    }
    return result;
}

void InitProcessLayer() {
    ProcessLayerState& state = LayerState();
    state.querySystemInformation =
        IsSlotOpen(kNtdllSlot) ? SlotFunctionAs<QuerySystemInformationFunction>(kNtdllSlot, "NtQuerySystemInformation")
                               : nullptr;
    ProcessStatusFunctions& psapi = state.psapi;
    psapi = ProcessStatusFunctions{};
    if (!IsSlotOpen(kPsapiSlot))
        return;
    auto bind = [](auto& function, const char* name) {
        function = SlotFunctionAs<std::remove_reference_t<decltype(function)>>(kPsapiSlot, name);
    };
    bind(psapi.enumProcesses, "EnumProcesses");
    bind(psapi.enumProcessModules, "EnumProcessModules");
    bind(psapi.getModuleBaseName, "GetModuleBaseNameA");
    bind(psapi.getModuleFileNameEx, "GetModuleFileNameExA");
    bind(psapi.enumDeviceDrivers, "EnumDeviceDrivers");
    bind(psapi.getDeviceDriverBaseName, "GetDeviceDriverBaseNameA");
    bind(psapi.getDeviceDriverFileName, "GetDeviceDriverFileNameA");
    bind(psapi.getProcessMemoryInfo, "GetProcessMemoryInfo");
    bind(psapi.emptyWorkingSet, "EmptyWorkingSet");
}

void FreeProcessLayer() {
    ProcessLayerState& state = LayerState();
    state.snapshot.reset();
    state.psapi = ProcessStatusFunctions{};
    ResetCursor(state.processCursor, 0);
    ResetCursor(state.driverCursor, 0);
    state.parents.clear();
    state.parentsRead = false;
    state.querySystemInformation = nullptr;
    state.queryBuffer = std::vector<uint8_t>();
    state.systemRecords.clear();
    state.systemRecordIndex.clear();
    state.known.clear();
}

namespace {

void EnumerateProcessIds(ProcessLayerState& state) {
    DWORD bytes = 0;
    if (state.psapi.enumProcesses == nullptr ||
        !state.psapi.enumProcesses(state.processIds, kProcessIdBufferBytes, &bytes))
        bytes = 0;
    ResetCursor(state.processCursor, EntriesFromBytes(bytes, kProcessIdBufferBytes));
}

}  // namespace

DWORD BeginProcessEnumeration() {
    ProcessLayerState& state = LayerState();
    state.snapshot.reset(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD, 0));
    state.parents.clear();
    state.parentsRead = false;
    EnumerateProcessIds(state);
    return state.processCursor.count;
}

DWORD NextProcess() {
    return AdvanceCursor(LayerState().processCursor);
}

DWORD CurrentProcessId() {
    const ProcessLayerState& state = LayerState();
    DWORD position = state.processCursor.position;
    return position == 0 ? 0 : state.processIds[position - 1];
}

DWORD BeginDriverEnumeration() {
    ProcessLayerState& state = LayerState();
    DWORD offered = sizeof(state.driverBases);
    DWORD bytes = 0;
    if (state.psapi.enumDeviceDrivers == nullptr || !state.psapi.enumDeviceDrivers(state.driverBases, offered, &bytes))
        bytes = 0;
    // Addresses are pointer-sized: 1024 of them fit the buffer on either system.
    ResetCursor(state.driverCursor, std::min<DWORD>(bytes, offered) / sizeof(LPVOID));
    return state.driverCursor.count;
}

DWORD NextDriver() {
    return AdvanceCursor(LayerState().driverCursor);
}

LPVOID CurrentDriverBase() {
    const ProcessLayerState& state = LayerState();
    DWORD position = state.driverCursor.position;
    return position == 0 ? nullptr : state.driverBases[position - 1];
}

namespace {

std::string DriverText(DWORD(WINAPI* query)(LPVOID, LPSTR, DWORD)) {
    LPVOID base = CurrentDriverBase();
    if (query == nullptr || base == nullptr)
        return std::string();
    char text[1024];
    DWORD length = query(base, text, sizeof(text));
    return std::string(text, std::min<DWORD>(length, sizeof(text) - 1));
}

}  // namespace

std::string DriverBaseName() {
    return DriverText(LayerState().psapi.getDeviceDriverBaseName);
}

std::string DriverFileName() {
    return DriverText(LayerState().psapi.getDeviceDriverFileName);
}

namespace {

// Every process of the snapshot, each with its parent noted; `visit` sees each id.
template <typename Visit>
void ReadSnapshotProcesses(ProcessLayerState& state, Visit visit) {
    HANDLE snapshot = state.snapshot.get();
    PROCESSENTRY32 process{};
    process.dwSize = sizeof(process);
    for (BOOL more = Process32First(snapshot, &process); more; more = Process32Next(snapshot, &process)) {
        visit(process.th32ProcessID);
        state.parents.emplace(process.th32ProcessID, process.th32ParentProcessID);
    }
    state.parentsRead = true;
}

// The ids, thread counts and parents from the system's process query, which makes the Tool Help
// snapshot unnecessary; false when the query cannot be used.
bool CompleteFromSystemRecords(ProcessLayerState& state, ProcessIdSet& set) {
    if (!ReadSystemProcesses(state))
        return false;
    state.snapshot.reset();
    state.parents.clear();
    for (const SystemProcessRecord& record : state.systemRecords) {
        AddProcessIds(set, &record.pid, 1);
        CountThread(set, record.pid, static_cast<int32_t>(record.threads));
        state.parents.emplace(record.pid, record.parentPid);
    }
    state.parentsRead = true;
    return true;
}

void CompleteFromSnapshot(ProcessLayerState& state, ProcessIdSet& set) {
    state.snapshot.reset(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD, 0));
    state.parents.clear();
    state.parentsRead = false;
    if (!state.snapshot.valid())
        return;
    ReadSnapshotProcesses(state, [&set](uint32_t pid) { AddProcessIds(set, &pid, 1); });
    HANDLE snapshot = state.snapshot.get();
    THREADENTRY32 thread{};
    thread.dwSize = sizeof(thread);
    for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread)) {
        // Entries too short to carry the owner are not counted.
        if (thread.dwSize >= 16)
            CountThread(set, thread.th32OwnerProcessID);
        thread.dwSize = sizeof(thread);
    }
}

}  // namespace

void BuildProcessIdSet(ProcessIdSet& set) {
    ResetProcessIdSet(set);
    ProcessLayerState& state = LayerState();
    EnumerateProcessIds(state);
    while (NextProcess() != 0) {
        uint32_t pid = CurrentProcessId();
        AddProcessIds(set, &pid, 1);
    }
    if (!CompleteFromSystemRecords(state, set))
        CompleteFromSnapshot(state, set);
    ForgetEndedProcesses(state.known, set.members);
}

long ParentProcessId(DWORD pid) {
    ProcessLayerState& state = LayerState();
    if (!state.parentsRead && !state.snapshot.valid())
        return -1;
    if (!state.parentsRead)
        ReadSnapshotProcesses(state, [](uint32_t) {});
    auto found = state.parents.find(pid);
    return found == state.parents.end() ? -1 : static_cast<long>(found->second);
}
