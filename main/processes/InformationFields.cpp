#include "main/processes/InformationFields.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/Language.h"
#include "foundation/ValueFormatting.h"
#include "main/autoruns/AutorunLocations.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/SystemFigures.h"

namespace {

constexpr uint32_t kBarBackground = 0xFFEEDD;     // RGB(DD, EE, FF)
constexpr uint32_t kBarFrame = 0xCCBBAA;          // RGB(AA, BB, CC)
constexpr uint32_t kBarFirstFill = 0xFF8833;      // RGB(33, 88, FF)
constexpr uint32_t kBarFirstOutline = 0xFFAA55;   // RGB(55, AA, FF)
constexpr uint32_t kBarSecondFill = 0xFFBB99;     // RGB(99, BB, FF)
constexpr uint32_t kBarSecondOutline = 0xFFCCAA;  // RGB(AA, CC, FF)
constexpr int kBarTop = 2;
constexpr int kBarFillHeight = 12;

// The parent's name when no listed row has its pid.
constexpr char kUnknownParent[] = "Unbekannt";

int BarWidth(double value) {
    if (!(value > 0))
        return 0;
    return static_cast<int>(std::min(std::floor(value), static_cast<double>(kInformationBarFill)));
}

// A filled rectangle with a 1-pixel outline of its own, from x = left to right - 1.
void FillSegment(InformationBar& bar, int left, int right, uint32_t fill, uint32_t outline) {
    for (int y = kBarTop; y < kBarTop + kBarFillHeight; ++y) {
        for (int x = left; x < right; ++x) {
            const bool edge = x == left || x == right - 1 || y == kBarTop || y == kBarTop + kBarFillHeight - 1;
            bar.pixels[static_cast<size_t>(y * kInformationBarWidth + x)] = edge ? outline : fill;
        }
    }
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

void FindAutostart(ProcessInformationTexts& texts, const std::string& path, const RowTable& autoruns) {
    const std::string wanted = Lower(path);
    for (size_t row = 0; row < RowCount(autoruns); ++row) {
        if (Lower(Cell(autoruns, row, AutorunColumnTarget)) != wanted)
            continue;
        const bool folder = autoruns.rows[row].backgroundColour != kAutorunRegistryBackground;
        texts.autostartKind = LanguageText(folder ? LanguageKey::AutorunDirectory : LanguageKey::Registry);
        texts.autostartEntry =
            Cell(autoruns, row, AutorunColumnLocation) + "\\" + Cell(autoruns, row, AutorunColumnName);
        texts.autostartFound = true;
        return;
    }
    texts.autostartKind = LanguageText(LanguageKey::NoAutorunFound);
}

}  // namespace

int CpuBarWidth(float percent) {
    return BarWidth(static_cast<double>(percent) * 2.46);
}

int ShareBarWidth(uint64_t part, uint64_t total) {
    if (total == 0)
        return 0;
    return BarWidth(static_cast<double>(part) / static_cast<double>(total) * kInformationBarFill);
}

InformationBar DrawInformationBar(int firstWidth, int secondEnd) {
    InformationBar bar;
    bar.pixels.assign(kInformationBarWidth * kInformationBarHeight, kBarBackground);
    for (int y = 0; y < kInformationBarHeight; ++y) {
        for (int x = 0; x < kInformationBarWidth; ++x) {
            if (x == 0 || y == 0 || x == kInformationBarWidth - 1 || y == kInformationBarHeight - 1)
                bar.pixels[static_cast<size_t>(y * kInformationBarWidth + x)] = kBarFrame;
        }
    }
    firstWidth = std::clamp(firstWidth, 0, kInformationBarFill);
    secondEnd = std::clamp(secondEnd, 0, kInformationBarFill);
    FillSegment(bar, 2, 2 + firstWidth, kBarFirstFill, kBarFirstOutline);
    if (secondEnd > firstWidth)
        FillSegment(bar, 2 + firstWidth, 2 + secondEnd, kBarSecondFill, kBarSecondOutline);
    return bar;
}

uint32_t InformationBarPixel(const InformationBar& bar, int x, int y) {
    if (x < 0 || y < 0 || x >= kInformationBarWidth || y >= kInformationBarHeight || bar.pixels.empty())
        return 0;
    return bar.pixels[static_cast<size_t>(y * kInformationBarWidth + x)];
}

ProcessInformationTexts ProcessInformationFor(const RowTable& processes, size_t row, const RowTable* autoruns) {
    ProcessInformationTexts texts;
    texts.title = Cell(processes, row, kProcessColumnName);
    const std::string& windowTitle = Cell(processes, row, kProcessColumnWindowTitle);
    if (!windowTitle.empty())
        texts.title += " (" + windowTitle + ")";

    const std::string& path = Cell(processes, row, kProcessColumnFilePath);
    const size_t slash = path.find_last_of('\\');
    texts.fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    texts.folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    texts.folderEnabled = path != LanguageText(LanguageKey::NotDetectable);

    std::string cpu = Cell(processes, row, kProcessColumnCpuUsage);
    if (cpu.empty())
        cpu = "0%";
    texts.cpuLabel = LanguageText(LanguageKey::CPUUsage) + ": " + cpu;
    texts.cpuValue = cpu;
    texts.cpuPercent = ParseDecimal(cpu.substr(0, cpu.find('%')));

    const size_t parent =
        FindRow(processes, kProcessColumnProcessId, Cell(processes, row, kProcessColumnParentProcessId));
    if (parent != kNoRow && !Cell(processes, row, kProcessColumnParentProcessId).empty()) {
        texts.parentName = Cell(processes, parent, kProcessColumnName);
        texts.parentPath = Cell(processes, parent, kProcessColumnFilePath);
    } else {
        texts.parentName = kUnknownParent;
    }

    texts.rating = Cell(processes, row, kProcessColumnDatabaseRating);
    if (texts.rating.empty())
        texts.rating = LanguageText(LanguageKey::RatingUnknown);

    if (autoruns != nullptr && texts.folderEnabled)
        FindAutostart(texts, path, *autoruns);
    else
        texts.autostartKind = LanguageText(LanguageKey::NoAutorunFound);
    return texts;
}

std::string FormatStartTime(int hour, int minute, int second, int day, int month, int year) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d am %02d.%02d.%04d", hour, minute, second, day, month, year);
    return text;
}

std::string MemoryUsageText(uint64_t workingSetBytes) {
    return LanguageText(LanguageKey::MemoryUsage) + ": " + FormatBytes64(static_cast<int64_t>(workingSetBytes), 1);
}

std::string PercentText(uint64_t part, uint64_t total) {
    if (total == 0)
        return std::string();
    return std::to_string(PercentOf(part, total)) + "%";
}

std::string DesktopText(int width, int height, int bitsPerPixel, int refreshRate) {
    return std::to_string(width) + "x" + std::to_string(height) + ", " + std::to_string(bitsPerPixel) + " Bit, " +
           std::to_string(refreshRate) + " Hz";
}
