#include "hardware/SmartReading.h"

#include <string_view>

namespace {

struct Registers {
    uint8_t command;
    uint8_t features;
    uint8_t cylinderLow;
    uint8_t cylinderHigh;
};

Registers RequestRegisters(SmartRequest request) {
    switch (request) {
        case SmartRequest::Identify:
            return {0xEC, 0x00, 0x00, 0x00};
        case SmartRequest::Enable:
            return {0xB0, 0xD8, 0x4F, 0xC2};
        case SmartRequest::Thresholds:
            return {0xB0, 0xD1, 0x4F, 0xC2};
        case SmartRequest::Data:
            break;
    }
    return {0xB0, 0xD0, 0x4F, 0xC2};
}

// The sector of a successful answer, or nothing. Enable answers with the header alone; the others
// must bring the whole sector, or what follows would be whatever the buffer held.
bool SendRequest(const SmartDevice& device, SmartRequest request, int drive, std::string& sector) {
    std::array<uint8_t, kSmartAnswerLength> answer{};
    size_t returned = device.send(device.context, request, SmartCommandBlock(request, drive), answer.data());
    size_t needed = request == SmartRequest::Enable ? 1 : kSmartAnswerLength;
    if (returned < needed || returned > kSmartAnswerLength) {
        return false;
    }
    sector.assign(reinterpret_cast<const char*>(answer.data()) + kSmartAnswerHeaderLength, kSmartSectorLength);
    return true;
}

}  // namespace

uint32_t SmartControlCode(SmartRequest request) {
    return request == SmartRequest::Enable ? kSmartSendDriveCommand : kSmartReceiveDriveData;
}

std::array<uint8_t, kSmartCommandLength> SmartCommandBlock(SmartRequest request, int drive) {
    const Registers registers = RequestRegisters(request);
    std::array<uint8_t, kSmartCommandLength> block{};
    block[1] = kSmartSectorLength >> 8;  // buffer size, little-endian
    block[4] = registers.features;
    block[5] = 1;  // sector count
    block[6] = 1;  // sector number
    block[7] = registers.cylinderLow;
    block[8] = registers.cylinderHigh;
    block[9] = drive % 2 == 0 ? 0xA0 : 0xB0;  // master or slave on its channel
    block[10] = registers.command;
    block[12] = static_cast<uint8_t>(drive);
    return block;
}

SmartReading ReadSmartDrive(const SmartDevice& device, int drive) {
    SmartReading reading;
    reading.drive = drive;
    if (drive < 0 || drive >= kSmartDriveCount || !device.open(device.context, drive)) {
        return reading;
    }
    reading.opened = true;
    std::string sector;
    if (SendRequest(device, SmartRequest::Identify, drive, sector)) {
        reading.model = SmartModelText(sector);
        reading.serial = SmartSerialText(sector);
    }
    if (SendRequest(device, SmartRequest::Enable, drive, sector) &&
        SendRequest(device, SmartRequest::Thresholds, drive, sector)) {
        reading.detectable = true;
        ApplySmartThresholds(sector, reading.table);
        reading.thresholdIds = SmartEntryIds(sector);
        if (SendRequest(device, SmartRequest::Data, drive, sector)) {
            reading.dataRead = true;
            ApplySmartData(sector, reading.table);
            reading.dataIds = SmartEntryIds(sector);
        }
    }
    device.close(device.context);
    return reading;
}
