#include "tray/agencies/Conditions.h"

#include "foundation/DecimalText.h"

namespace {

constexpr LanguageKey kConditionKeys[kConditionTypeCount] = {
    LanguageKey::ConditionStringDelayTime,
    LanguageKey::ConditionStringInetConnection,
    LanguageKey::ConditionStringNoInetConnection,
    LanguageKey::ConditionStringFreeDriveSpaceSmaller,
    LanguageKey::ConditionStringFreeDriveSpaceLarger,
    LanguageKey::ConditionStringFreeRAMSmaller,
    LanguageKey::ConditionStringFreeRAMLarger,
    LanguageKey::ConditionStringUsedDriveSpaceSmaller,
    LanguageKey::ConditionStringUsedDriveSpaceLarger,
    LanguageKey::ConditionStringUsedRAMSmaller,
    LanguageKey::ConditionStringUsedRAMLarger,
    LanguageKey::ConditionStringFileExists,
    LanguageKey::ConditionStringFileExistsNot,
    LanguageKey::ConditionStringDirectoryExists,
    LanguageKey::ConditionStringDirectoryExistsNot,
    LanguageKey::ConditionStringUsername,
};

constexpr uint64_t kMegabyte = 1048576;
constexpr uint64_t kMillisecondsPerSecond = 1000;
// Large enough for any disk or memory, small enough that megabytes in bytes fit 64 bits.
constexpr int64_t kLargestNumber = int64_t(1) << 40;

std::array<std::string, kConditionTypeCount> TextsOf(const LanguageCatalogue& catalogue) {
    std::array<std::string, kConditionTypeCount> texts;
    for (int type = 0; type < kConditionTypeCount; ++type) {
        texts[static_cast<size_t>(type)] = catalogue.texts[static_cast<size_t>(kConditionKeys[type])];
    }
    return texts;
}

bool AtMost(uint64_t measured, std::string_view megabytes) {
    return measured <= ConditionNumber(megabytes) * kMegabyte;
}

bool AtLeast(uint64_t measured, std::string_view megabytes) {
    return measured >= ConditionNumber(megabytes) * kMegabyte;
}

uint64_t Used(uint64_t total, uint64_t free) {
    return total > free ? total - free : 0;
}

}  // namespace

LanguageKey ConditionTypeKey(int type) {
    return kConditionKeys[type >= 0 && type < kConditionTypeCount ? type : 0];
}

ConditionInput ConditionInputOf(int type) {
    switch (type) {
        case ConditionDelayTime:
            return ConditionInput::Seconds;
        case ConditionInetConnection:
        case ConditionNoInetConnection:
            return ConditionInput::None;
        case ConditionFileExists:
        case ConditionFileExistsNot:
            return ConditionInput::File;
        case ConditionDirectoryExists:
        case ConditionDirectoryExistsNot:
            return ConditionInput::Directory;
        case ConditionUsername:
            return ConditionInput::Text;
        default:
            return ConditionInput::Megabytes;
    }
}

int ConditionItemCount(std::string_view list) {
    int count = 0;
    for (char c : list) {
        count += c == ';' ? 1 : 0;
    }
    return count;
}

ConditionItem SplitConditionItem(std::string_view list, int item) {
    size_t start = 0;
    for (int skipped = 1; skipped < item; ++skipped) {
        size_t separator = list.find(';', start);
        if (separator == std::string_view::npos) {
            return {};
        }
        start = separator + 1;
    }
    size_t end = list.find(';', start);
    if (item < 1 || end == std::string_view::npos) {
        return {};
    }
    std::string_view whole = list.substr(start, end - start);
    size_t open = whole.find('{');
    ConditionItem result;
    result.text = std::string(whole.substr(0, open));
    if (open != std::string_view::npos) {
        size_t close = whole.find('}', open + 1);
        result.parameter =
            std::string(whole.substr(open + 1, close == std::string_view::npos ? close : close - open - 1));
    }
    return result;
}

std::vector<ConditionItem> SplitConditionList(std::string_view list) {
    std::vector<ConditionItem> items;
    int count = ConditionItemCount(list);
    for (int item = 1; item <= count; ++item) {
        items.push_back(SplitConditionItem(list, item));
    }
    return items;
}

std::string FormatConditionList(const std::vector<ConditionItem>& items) {
    std::string list;
    for (const ConditionItem& item : items) {
        list += item.text + "{" + item.parameter + "};";
    }
    return list;
}

ConditionTexts ConditionTextsOf(const LanguageCatalogue& current, const std::vector<LanguageCatalogue>& others) {
    ConditionTexts texts;
    texts.languages.push_back(TextsOf(current));
    for (const LanguageCatalogue& other : others) {
        texts.languages.push_back(TextsOf(other));
    }
    return texts;
}

int ConditionTypeOf(std::string_view text, const ConditionTexts& texts) {
    for (const auto& language : texts.languages) {
        for (int type = 0; type < kConditionTypeCount; ++type) {
            if (language[static_cast<size_t>(type)] == text) {
                return type;
            }
        }
    }
    return kNoConditionType;
}

uint64_t ConditionNumber(std::string_view parameter) {
    return static_cast<uint64_t>(ClampDecimal(ReadDecimalText(parameter), 0, kLargestNumber));
}

bool ConditionHolds(int type, std::string_view parameter, ConditionAsker asker, const ConditionInputs& inputs) {
    switch (type) {
        case ConditionDelayTime:
            return inputs.elapsedMilliseconds >= ConditionNumber(parameter) * kMillisecondsPerSecond;
        case ConditionInetConnection:
            return inputs.internetReachable(asker);
        case ConditionNoInetConnection:
            return !inputs.internetReachable(asker);
        case ConditionFreeDriveSpaceSmaller:
            return AtMost(inputs.driveSpace().freeBytes, parameter);
        case ConditionFreeDriveSpaceLarger:
            return AtLeast(inputs.driveSpace().freeBytes, parameter);
        case ConditionFreeRAMSmaller:
            return AtMost(inputs.memory().availableBytes, parameter);
        case ConditionFreeRAMLarger:
            return AtLeast(inputs.memory().availableBytes, parameter);
        case ConditionUsedDriveSpaceSmaller:
        case ConditionUsedDriveSpaceLarger: {
            DriveSpace drive = inputs.driveSpace();
            uint64_t used = Used(drive.totalBytes, drive.freeBytes);
            return type == ConditionUsedDriveSpaceSmaller ? AtMost(used, parameter) : AtLeast(used, parameter);
        }
        case ConditionUsedRAMSmaller:
        case ConditionUsedRAMLarger: {
            MemoryFigures memory = inputs.memory();
            uint64_t used = Used(memory.totalBytes, memory.availableBytes);
            return type == ConditionUsedRAMSmaller ? AtMost(used, parameter) : AtLeast(used, parameter);
        }
        case ConditionFileExists:
            return inputs.fileSize(std::string(parameter)) > 0;
        case ConditionFileExistsNot: {
            int64_t size = inputs.fileSize(std::string(parameter));
            return size == kFileSizeMissing || size == kFileSizeDirectory;
        }
        case ConditionDirectoryExists:
            return inputs.fileSize(std::string(parameter)) == kFileSizeDirectory;
        case ConditionDirectoryExistsNot:
            return inputs.fileSize(std::string(parameter)) != kFileSizeDirectory;
        case ConditionUsername:
            return inputs.userName() == parameter;
    }
    return true;
}

ConditionVerdict EvaluateConditionList(std::string_view list,
                                       ConditionAsker asker,
                                       const ConditionTexts& texts,
                                       const ConditionInputs& inputs) {
    ConditionVerdict verdict;
    for (const ConditionItem& item : SplitConditionList(list)) {
        int type = ConditionTypeOf(item.text, texts);
        if (type == kNoConditionType) {
            continue;  // e.g. written in a language no longer installed: neither blocks nor cancels
        }
        if (!ConditionHolds(type, item.parameter, asker, inputs)) {
            verdict.holds = false;
            verdict.failedType = type;
            return verdict;
        }
    }
    return verdict;
}
