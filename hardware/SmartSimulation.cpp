#include "hardware/SmartSimulation.h"

#include <cstring>

#include "foundation/FileSystem.h"

namespace {

bool OpenSimulated(void* context, int drive) {
    SmartSimulation& simulation = *static_cast<SmartSimulation*>(context);
    if (!FileExists(SmartSimulationFile(simulation.folder, drive, "identify"))) {
        return false;
    }
    simulation.drive = drive;
    return true;
}

// As the driver answers: the header, then as much of the sector as the file holds.
size_t AnswerWithFile(const std::string& path, uint8_t* answer) {
    std::string sector;
    if (!ReadWholeFile(path, sector)) {
        return 0;
    }
    size_t length = sector.size() < kSmartSectorLength ? sector.size() : kSmartSectorLength;
    std::memcpy(answer + kSmartAnswerHeaderLength, sector.data(), length);
    return kSmartAnswerHeaderLength + length;
}

size_t SendSimulated(void* context,
                     SmartRequest request,
                     const std::array<uint8_t, kSmartCommandLength>& command,
                     uint8_t* answer) {
    const SmartSimulation& simulation = *static_cast<SmartSimulation*>(context);
    const std::string& folder = simulation.folder;
    const int drive = simulation.drive;
    switch (request) {
        case SmartRequest::Identify:
            return AnswerWithFile(SmartSimulationFile(folder, drive, "identify"), answer);
        case SmartRequest::Enable:
            // The driver's header alone, as long as the drive has SMART at all.
            return FileExists(SmartSimulationFile(folder, drive, "thresholds")) ? kSmartAnswerHeaderLength : 0;
        case SmartRequest::Thresholds:
            return AnswerWithFile(SmartSimulationFile(folder, drive, "thresholds"), answer);
        case SmartRequest::Data:
            break;
    }
    return AnswerWithFile(SmartSimulationFile(folder, drive, "data"), answer);
}

void CloseSimulated(void* context) {
    static_cast<SmartSimulation*>(context)->drive = -1;
}

}  // namespace

SmartDevice SimulatedSmartDevice(SmartSimulation& simulation) {
    SmartDevice device;
    device.context = &simulation;
    device.open = OpenSimulated;
    device.send = SendSimulated;
    device.close = CloseSimulated;
    return device;
}

std::string SmartSimulationFile(const std::string& folder, int drive, const char* part) {
    return JoinPath(folder, "drive" + std::to_string(drive) + "-" + part + ".bin");
}
