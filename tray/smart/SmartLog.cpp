#include "tray/smart/SmartLog.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "foundation/Language.h"

namespace {

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof(text), "%02d", ((value % 100) + 100) % 100);
    return text;
}

std::string ClockText(const SmartLogTime& time) {
    return TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second);
}

std::string SignedText(int64_t number) {
    return (number >= 0 ? "+" : "") + std::to_string(number);
}

constexpr size_t kTableColumnCount = 5;

std::array<std::string, kTableColumnCount> TableCells(const SmartTable& table, int id) {
    const SmartAttribute& attribute = table[id];
    return {SmartAttributeName(id), std::to_string(attribute.threshold), std::to_string(attribute.current),
            std::to_string(attribute.worst), std::to_string(attribute.raw)};
}

std::string Padded(const std::string& text, size_t width, bool numberCell) {
    std::string blanks(width > text.size() ? width - text.size() : 0, ' ');
    return numberCell ? blanks + text : text + blanks;
}

}  // namespace

std::string SmartLogFileName(int drive) {
    return "smart" + std::to_string(drive) + ".log";
}

std::string SmartOldLogFileName(int drive) {
    return SmartLogFileName(drive) + ".1";
}

bool SmartLogNeedsRotation(uint64_t length) {
    return length > kSmartLogRotationLength;
}

std::string SmartValueLabel(SmartValueKind kind) {
    switch (kind) {
        case SmartValueKind::Threshold:
            return LanguageText(LanguageKey::Threshold);
        case SmartValueKind::Current:
            return LanguageText(LanguageKey::CurrentValue);
        case SmartValueKind::Worst:
            return LanguageText(LanguageKey::WorstValue);
        case SmartValueKind::Raw:
            break;
    }
    return LanguageText(LanguageKey::Data);
}

std::string SmartChangeText(const SmartChange& change) {
    return SmartAttributeName(change.id) + " [" + SmartValueLabel(change.kind) + "]: " + std::to_string(change.value) +
           " (" + SignedText(change.difference) + ")";
}

std::string SmartLogLine(const SmartLogTime& time, const SmartChange& change) {
    return TwoDigits(time.day) + "." + TwoDigits(time.month) + "." + TwoDigits(time.year) + " " + ClockText(time) +
           ": " + SmartChangeText(change) + "\r\n";
}

std::string SmartBalloonTitle(const SmartLogTime& time) {
    return LanguageText(LanguageKey::Information) + " (" + ClockText(time) + ")";
}

std::string SmartBalloonText(int drive, const std::string& model, const std::vector<SmartChange>& changes) {
    static const std::string kCut = "\n...";
    std::string text = LanguageText(LanguageKey::Drive) + " #" + std::to_string(drive) + " (" + model + "): ";
    for (size_t i = 0; i < changes.size(); ++i) {
        std::string line = "\n" + SmartChangeText(changes[i]);
        bool last = i + 1 == changes.size();
        if (text.size() + line.size() + (last ? 0 : kCut.size()) > kSmartBalloonTextLength) {
            text += kCut;
            break;
        }
        text += line;
    }
    return text.substr(0, kSmartBalloonTextLength);
}

std::string SmartAttributeTableText(const SmartTable& table) {
    const std::array<LanguageKey, kTableColumnCount> headerKeys = {LanguageKey::Description, LanguageKey::Threshold,
                                                                   LanguageKey::CurrentValue, LanguageKey::WorstValue,
                                                                   LanguageKey::Data};
    std::array<std::string, kTableColumnCount> headers;
    std::array<size_t, kTableColumnCount> widths{};
    for (size_t column = 0; column < kTableColumnCount; ++column) {
        headers[column] = LanguageText(headerKeys[column]) + ":";
        widths[column] = headers[column].size();
    }
    // The widths are those of the widest cell over every id, shown or not.
    for (int id = 0; id < 256; ++id) {
        const auto cells = TableCells(table, id);
        for (size_t column = 0; column < kTableColumnCount; ++column) {
            widths[column] = std::max(widths[column], cells[column].size());
        }
    }
    std::string text;
    std::string blankLine;
    size_t ruleLength = 0;
    for (size_t column = 0; column < kTableColumnCount; ++column) {
        text += Padded(headers[column], widths[column], false) + " | ";
        blankLine += std::string(widths[column], ' ') + " | ";
        ruleLength += widths[column] + 3;
    }
    text += "\r\n" + blankLine + "\r\n";
    for (int id = 1; id < 256; ++id) {
        if (!IsAttributePresent(table[id])) {
            continue;
        }
        const auto cells = TableCells(table, id);
        for (size_t column = 0; column < kTableColumnCount; ++column) {
            text += Padded(cells[column], widths[column], column > 0) + " | ";
        }
        text += "\r\n";
    }
    return text + std::string(ruleLength, '-') + "\r\n\r\n";
}
