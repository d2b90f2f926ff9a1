#pragma once
// The disks' SMART interface through their driver, or the simulation folder when the environment
// names one (SmartSimulation.h).

#include "hardware/SmartReading.h"

// Reads drive n from where readings come from now.
SmartReading ReadSmartDriveNow(int drive);

// The disk driver as a device. A request that gets no answer within a few seconds is cancelled, and
// the drive is left alone for a minute, so that a device that hangs does not hang the program.
SmartDevice DiskSmartDevice();
