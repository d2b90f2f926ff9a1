#include "hardware/SmartDevice_win.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "hardware/SmartSimulation.h"

namespace {

constexpr DWORD kAnswerTimeout = 3000;
constexpr DWORD kCancelTimeout = 1000;
constexpr DWORD kQuietTime = 60000;

struct DiskDrive {
    HANDLE handle = INVALID_HANDLE_VALUE;
    int drive = -1;
};

// Drives whose last request never came back, and when they may be asked again.
std::array<bool, kSmartDriveCount> g_quiet{};
std::array<DWORD, kSmartDriveCount> g_quietSince{};

// A request in flight owns its buffers until the driver is done with them; they live on the heap so
// that a request the driver never finishes can keep them.
struct PendingRequest {
    OVERLAPPED overlapped{};
    std::array<uint8_t, 64> input{};
    std::array<uint8_t, 1024> output{};
};

// The storage property query that describes the device; it needs no access rights.
constexpr DWORD kQueryStorageProperty = 0x002D1400;

bool OpenDisk(void* context, int drive) {
    DiskDrive& disk = *static_cast<DiskDrive*>(context);
    if (g_quiet[drive] && GetTickCount() - g_quietSince[drive] < kQuietTime) {
        return false;
    }
    g_quiet[drive] = false;
    std::string name = "\\\\.\\PhysicalDrive" + std::to_string(drive);
    disk.drive = drive;
    disk.handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (disk.handle == INVALID_HANDLE_VALUE) {
        // SMART needs both rights, which a normal user lacks; the drive's names come without any, so
        // it is still listed, as not detectable.
        disk.handle = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OVERLAPPED, nullptr);
    }
    return disk.handle != INVALID_HANDLE_VALUE;
}

// Waits for the request; false when it did not finish in time even after being cancelled.
bool WaitForAnswer(HANDLE handle, PendingRequest& pending, DWORD& returned) {
    if (WaitForSingleObject(pending.overlapped.hEvent, kAnswerTimeout) != WAIT_OBJECT_0) {
        CancelIo(handle);
        if (WaitForSingleObject(pending.overlapped.hEvent, kCancelTimeout) != WAIT_OBJECT_0) {
            return false;
        }
        returned = 0;
        return true;
    }
    if (!GetOverlappedResult(handle, &pending.overlapped, &returned, FALSE)) {
        returned = 0;
    }
    return true;
}

// One control request to the open drive; the number of bytes it returned into `output`, 0 on failure.
DWORD ControlDisk(DiskDrive& disk,
                  DWORD code,
                  const void* input,
                  DWORD inputLength,
                  uint8_t* output,
                  DWORD outputLength) {
    if (g_quiet[disk.drive]) {
        return 0;  // an earlier request of this reading hangs still
    }
    PendingRequest* pending = new PendingRequest;
    pending->overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::memcpy(pending->input.data(), input, inputLength);
    DWORD returned = 0;
    bool done = DeviceIoControl(disk.handle, code, pending->input.data(), inputLength, pending->output.data(),
                                outputLength, &returned, &pending->overlapped) != FALSE;
    if (!done && GetLastError() == ERROR_IO_PENDING) {
        if (!WaitForAnswer(disk.handle, *pending, returned)) {
            // The driver still owns the buffers: leave them to it, and the drive alone for a while.
            g_quiet[disk.drive] = true;
            g_quietSince[disk.drive] = GetTickCount();
            return 0;
        }
        done = true;
    }
    if (!done || returned > outputLength) {
        returned = 0;
    }
    std::memcpy(output, pending->output.data(), returned);
    CloseHandle(pending->overlapped.hEvent);
    delete pending;
    return returned;
}

// The identify sector from the storage descriptor, for drives that give no SMART identify (no rights,
// USB bridges, NVMe).
size_t IdentifyFromDescriptor(DiskDrive& disk, uint8_t* answer) {
    const uint32_t query[3] = {0, 0, 0};  // device property, standard query
    std::array<uint8_t, 1024> descriptor{};
    DWORD length = ControlDisk(disk, kQueryStorageProperty, query, sizeof(query), descriptor.data(),
                               static_cast<DWORD>(descriptor.size()));
    StorageDeviceNames names =
        ParseStorageDeviceDescriptor(std::string_view(reinterpret_cast<const char*>(descriptor.data()), length));
    if (names.serial.empty()) {
        return 0;
    }
    std::string sector = MakeSmartIdentifySector(names.model, names.serial);
    std::memcpy(answer + kSmartAnswerHeaderLength, sector.data(), kSmartSectorLength);
    return kSmartAnswerLength;
}

size_t SendToDisk(void* context,
                  SmartRequest request,
                  const std::array<uint8_t, kSmartCommandLength>& command,
                  uint8_t* answer) {
    DiskDrive& disk = *static_cast<DiskDrive*>(context);
    DWORD returned =
        ControlDisk(disk, SmartControlCode(request), command.data(), kSmartCommandLength, answer, kSmartAnswerLength);
    if (request == SmartRequest::Identify && returned < kSmartAnswerLength && !g_quiet[disk.drive]) {
        return IdentifyFromDescriptor(disk, answer);
    }
    return returned;
}

void CloseDisk(void* context) {
    DiskDrive& disk = *static_cast<DiskDrive*>(context);
    CloseHandle(disk.handle);
    disk.handle = INVALID_HANDLE_VALUE;
}

DiskDrive g_disk;

}  // namespace

SmartDevice DiskSmartDevice() {
    SmartDevice device;
    device.context = &g_disk;
    device.open = OpenDisk;
    device.send = SendToDisk;
    device.close = CloseDisk;
    return device;
}

SmartReading ReadSmartDriveNow(int drive) {
    char folder[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA(kSmartFolderVariable, folder, sizeof(folder));
    if (length > 0 && length < sizeof(folder)) {
        SmartSimulation simulation{folder};
        return ReadSmartDrive(SimulatedSmartDevice(simulation), drive);
    }
    return ReadSmartDrive(DiskSmartDevice(), drive);
}
