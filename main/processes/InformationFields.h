#pragma once
// What the process information window shows, worked out from the process list's rows (and the
// autorun list's) without any window: the field texts of one process, the system summary, and
// the usage bars as pixels.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "main/RowTable.h"

constexpr int kInformationBarWidth = 250;
constexpr int kInformationBarHeight = 16;
constexpr int kInformationBarFill = kInformationBarWidth - 4;  // the widest filled part

// The window's rows of labels and values, top to bottom; the controls are numbered alike.
enum InformationField : int {
    FieldProcess,
    FieldCompany,
    FieldVersion,
    FieldFileName,
    FieldFolder,
    FieldStarted,
    FieldParent,
    FieldRating,
    FieldAutostart,
    FieldAutostartEntry,
    FieldCpu,
    FieldMemory,
    FieldPagefile,
    FieldCount
};
// A bar image, row after row, colours 0x00BBGGRR.
struct InformationBar {
    std::vector<uint32_t> pixels;
};

// The filled widths: a CPU share in percent, and a part of a total.
int CpuBarWidth(float percent);
int ShareBarWidth(uint64_t part, uint64_t total);
// The bar with a first segment of that width and a lighter second one from its end to `secondEnd`
// (nothing when it does not reach past the first).
InformationBar DrawInformationBar(int firstWidth, int secondEnd);
uint32_t InformationBarPixel(const InformationBar& bar, int x, int y);

struct ProcessInformationTexts {
    std::string title;
    std::string fileName;
    std::string folder;
    bool folderEnabled = true;
    std::string cpuLabel;  // "CPU usage: 12.5%"
    std::string cpuValue;
    float cpuPercent = 0;
    std::string parentName;  // "Unbekannt" when the parent is not listed
    std::string parentPath;  // empty when the parent is not listed
    std::string rating;
    std::string autostartKind;
    std::string autostartEntry;
    bool autostartFound = false;
};

// The texts of a process row; `autoruns` may be null when no autorun list exists.
ProcessInformationTexts ProcessInformationFor(const RowTable& processes, size_t row, const RowTable* autoruns);

// A local time as the window shows when a process started.
std::string FormatStartTime(int hour, int minute, int second, int day, int month, int year);
// "MemoryUsage: 1.2 MB", and a part of a total as "12%" (empty when the total is unknown).
std::string MemoryUsageText(uint64_t workingSetBytes);
std::string PercentText(uint64_t part, uint64_t total);
// The primary desktop: "1280x800, 32 Bit, 60 Hz".
std::string DesktopText(int width, int height, int bitsPerPixel, int refreshRate);
