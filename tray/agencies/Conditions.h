#pragma once
// The conditions of system-start and avoid agencies: the sixteen types, the condition list text
// ("text{parameter};" per condition, the text being the type's display text), and its evaluation.
// The measured quantities come from ConditionInputs, so the rules run without the system.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Language.h"

enum ConditionType : int {
    ConditionDelayTime = 0,
    ConditionInetConnection = 1,
    ConditionNoInetConnection = 2,
    ConditionFreeDriveSpaceSmaller = 3,
    ConditionFreeDriveSpaceLarger = 4,
    ConditionFreeRAMSmaller = 5,
    ConditionFreeRAMLarger = 6,
    ConditionUsedDriveSpaceSmaller = 7,
    ConditionUsedDriveSpaceLarger = 8,
    ConditionUsedRAMSmaller = 9,
    ConditionUsedRAMLarger = 10,
    ConditionFileExists = 11,
    ConditionFileExistsNot = 12,
    ConditionDirectoryExists = 13,
    ConditionDirectoryExistsNot = 14,
    ConditionUsername = 15,
};
constexpr int kConditionTypeCount = 16;
constexpr int kNoConditionType = -1;

LanguageKey ConditionTypeKey(int type);

// What the condition dialog asks for beside the type.
enum class ConditionInput { None, Seconds, Megabytes, File, Directory, Text };
ConditionInput ConditionInputOf(int type);

struct ConditionItem {
    std::string text;  // the type's display text
    std::string parameter;
};

// The number of conditions is the number of ";".
int ConditionItemCount(std::string_view list);
// Item 1..count: the text before the first "{", the parameter between the first "{" and "}".
ConditionItem SplitConditionItem(std::string_view list, int item);
std::vector<ConditionItem> SplitConditionList(std::string_view list);
std::string FormatConditionList(const std::vector<ConditionItem>& items);

// The display texts of the types in every installed language, the current language first, so a
// list written before the user switched language keeps its meaning.
struct ConditionTexts {
    std::vector<std::array<std::string, kConditionTypeCount>> languages;
};
ConditionTexts ConditionTextsOf(const LanguageCatalogue& current, const std::vector<LanguageCatalogue>& others);
// The first type 0..15 of the current language whose text equals `text`, then of the others;
// kNoConditionType when none does.
int ConditionTypeOf(std::string_view text, const ConditionTexts& texts);

// Which list asks: the two kinds probe the internet in their own way.
enum class ConditionAsker { SystemStart, Avoid };

struct DriveSpace {
    uint64_t freeBytes = 0;
    uint64_t totalBytes = 0;
};

struct MemoryFigures {
    uint64_t availableBytes = 0;
    uint64_t totalBytes = 0;
};

constexpr int64_t kFileSizeMissing = -1;
constexpr int64_t kFileSizeDirectory = -2;

// The measurements, taken only when a condition needs them.
struct ConditionInputs {
    uint64_t elapsedMilliseconds = 0;  // since the tray companion started
    std::function<bool(ConditionAsker)> internetReachable;
    std::function<DriveSpace()> driveSpace;  // of drive C:
    std::function<MemoryFigures()> memory;
    std::function<int64_t(const std::string&)> fileSize;  // bytes, kFileSizeMissing or kFileSizeDirectory
    std::function<std::string()> userName;
};

// The leading digits of a parameter; none, or a negative number, read as 0.
uint64_t ConditionNumber(std::string_view parameter);

bool ConditionHolds(int type, std::string_view parameter, ConditionAsker asker, const ConditionInputs& inputs);

struct ConditionVerdict {
    bool holds = true;
    int failedType = kNoConditionType;  // the type of the first condition that failed
};

// Every condition in order until one fails; a text of no known type counts as holding.
ConditionVerdict EvaluateConditionList(std::string_view list,
                                       ConditionAsker asker,
                                       const ConditionTexts& texts,
                                       const ConditionInputs& inputs);
