#include <winternl.h>

#include <mmsystem.h>

#include <algorithm>
#include <cstddef>

#include "main/processes/ProcessLayerState_win.h"

namespace {

// The parser reads the records by offset; these are the same fields as the system headers name them.
#if !defined(_WIN64)
static_assert(offsetof(SYSTEM_PROCESS_INFORMATION, CreateTime) == SystemProcessOffsets::kCreateTime, "layout");
static_assert(offsetof(SYSTEM_PROCESS_INFORMATION, UniqueProcessId) == SystemProcessOffsets::kProcessId, "layout");
static_assert(offsetof(SYSTEM_PROCESS_INFORMATION, HandleCount) == SystemProcessOffsets::kHandles, "layout");
static_assert(offsetof(SYSTEM_PROCESS_INFORMATION, VirtualMemoryCounters) + offsetof(VM_COUNTERS, WorkingSetSize) ==
                  SystemProcessOffsets::kWorkingSet,
              "layout");
static_assert(offsetof(SYSTEM_PROCESS_INFORMATION, IoCounters) == SystemProcessOffsets::kIoCounters, "layout");
static_assert(sizeof(SYSTEM_PROCESS_INFORMATION) == kSystemProcessRecordSize, "layout");
#endif

constexpr ULONG kSystemProcessInformationClass = 5;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
// Room for several hundred processes with their threads; grown when the system asks for more.
constexpr size_t kFirstQueryBufferBytes = 256 * 1024;
constexpr size_t kLargestQueryBufferBytes = 64 * 1024 * 1024;

}  // namespace

bool ReadSystemProcesses(ProcessLayerState& state) {
    state.systemRecords.clear();
    state.systemRecordIndex.clear();
    if (state.querySystemInformation == nullptr)
        return false;
    if (state.queryBuffer.empty())
        state.queryBuffer.resize(kFirstQueryBufferBytes);
    LONG status = kStatusInfoLengthMismatch;
    ULONG filled = 0;
    // Processes may start between the question for the size and the next call: ask again, with room
    // to spare, a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        filled = 0;
        status = state.querySystemInformation(kSystemProcessInformationClass, state.queryBuffer.data(),
                                              static_cast<ULONG>(state.queryBuffer.size()), &filled);
        if (status != kStatusInfoLengthMismatch)
            break;
        size_t wanted = std::max<size_t>(state.queryBuffer.size() * 2, size_t{filled} + size_t{filled} / 4);
        if (wanted > kLargestQueryBufferBytes)
            break;
        state.queryBuffer.resize(wanted);
    }
    if (status < 0)
        return false;
    state.systemRecordsClock = timeGetTime();
    size_t length = filled != 0 && filled <= state.queryBuffer.size() ? filled : state.queryBuffer.size();
    if (!ParseSystemProcessRecords(state.queryBuffer.data(), length, state.systemRecords)) {
        state.systemRecords.clear();
        return false;
    }
    state.systemRecordIndex.reserve(state.systemRecords.size() * 2);
    for (size_t i = 0; i < state.systemRecords.size(); ++i)
        state.systemRecordIndex.emplace(state.systemRecords[i].pid, i);
    return true;
}

const SystemProcessRecord* SystemRecordOf(DWORD pid) {
    const ProcessLayerState& state = LayerState();
    auto found = state.systemRecordIndex.find(pid);
    return found == state.systemRecordIndex.end() ? nullptr : &state.systemRecords[found->second];
}
