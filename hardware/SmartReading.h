#pragma once
// One reading of a drive: open it, ask for its identify sector, switch SMART on, read the threshold
// and data sectors, close it. The device itself comes as a small table of calls, so that the same
// steps run against the disk driver, the simulation folder or a test's sectors. Portable.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "hardware/SmartAttributes.h"

enum class SmartRequest { Identify, Enable, Thresholds, Data };

// The driver's control codes: Enable goes out as a command, the other requests receive a sector.
constexpr uint32_t kSmartSendDriveCommand = 0x0007C084;
constexpr uint32_t kSmartReceiveDriveData = 0x0007C088;
constexpr size_t kSmartCommandLength = 32;

uint32_t SmartControlCode(SmartRequest request);
// The driver's input block for the request to drive n: buffer size, IDE registers, drive number.
std::array<uint8_t, kSmartCommandLength> SmartCommandBlock(SmartRequest request, int drive);

struct SmartDevice {
    void* context = nullptr;
    // False when the drive cannot be opened.
    bool (*open)(void* context, int drive) = nullptr;
    // Sends the request and fills `answer` (kSmartAnswerLength bytes, zeroed beforehand); returns how
    // many bytes the device gave back.
    size_t (*send)(void* context,
                   SmartRequest request,
                   const std::array<uint8_t, kSmartCommandLength>& command,
                   uint8_t* answer) = nullptr;
    void (*close)(void* context) = nullptr;
};

struct SmartReading {
    int drive = -1;
    bool opened = false;
    std::string model;   // empty when the identify request failed
    std::string serial;  // likewise
    // Enable and thresholds answered: the table and the evaluation mean something.
    bool detectable = false;
    bool dataRead = false;
    SmartTable table{};
    // The entries each sector listed, in its order: what a reading actually reported.
    std::vector<int> thresholdIds;
    std::vector<int> dataIds;
};

// Reads drive n through the device. A failed or short answer counts as no answer; its buffer is
// never looked at.
SmartReading ReadSmartDrive(const SmartDevice& device, int drive);
