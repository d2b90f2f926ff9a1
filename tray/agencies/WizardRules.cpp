#include "tray/agencies/WizardRules.h"

#include <algorithm>
#include <cctype>

namespace {

using S = WizardSection;

// Alphabetical ignoring case; names that differ only in case keep a fixed order, so twins meet.
bool LessIgnoringCase(const std::string& left, const std::string& right) {
    auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    auto mismatch = std::mismatch(left.begin(), left.end(), right.begin(), right.end(),
                                  [&](char a, char b) { return lower(a) == lower(b); });
    if (mismatch.first == left.end() || mismatch.second == right.end()) {
        return left.size() != right.size() ? left.size() < right.size() : left < right;
    }
    return lower(*mismatch.first) < lower(*mismatch.second);
}

const std::string& Field(const AgencyRow& row, size_t index) {
    static const std::string empty;
    return index < row.fields.size() ? row.fields[index] : empty;
}

}  // namespace

std::vector<WizardSection> WizardPages(AgencyKind kind) {
    switch (kind) {
        case AgencyKind::SystemStart:
            return {S::Introduction, S::Name, S::Path, S::Conditions, S::Parameters};
        case AgencyKind::ProgramStart:
            return {S::Introduction, S::Name, S::Path, S::Trigger, S::Parameters};
        case AgencyKind::Avoid:
            break;
    }
    return {S::Introduction, S::Trigger, S::Conditions};
}

std::vector<WizardSection> EditSections(AgencyKind kind) {
    std::vector<WizardSection> sections = WizardPages(kind);
    sections.erase(sections.begin());
    return sections;
}

LanguageKey WizardTitle(AgencyKind kind) {
    switch (kind) {
        case AgencyKind::SystemStart:
            return LanguageKey::MenuWizardSystem;
        case AgencyKind::ProgramStart:
            return LanguageKey::MenuWizardProgram;
        case AgencyKind::Avoid:
            break;
    }
    return LanguageKey::MenuWizardAvoid;
}

LanguageKey EditTitle(AgencyKind kind) {
    switch (kind) {
        case AgencyKind::SystemStart:
            return LanguageKey::SystemChange;
        case AgencyKind::ProgramStart:
            return LanguageKey::ProgramChange;
        case AgencyKind::Avoid:
            break;
    }
    return LanguageKey::AvoidChange;
}

std::vector<LanguageKey> IntroductionTexts(AgencyKind kind) {
    using L = LanguageKey;
    switch (kind) {
        case AgencyKind::SystemStart:
            return {L::WizardSystem1, L::WizardSystem2, L::WizardSystem3, L::WizardSystem4, L::WizardSystem14};
        case AgencyKind::ProgramStart:
            return {L::WizardProgram1, L::WizardProgram2, L::WizardProgram3, L::WizardProgram4, L::WizardProgram5};
        case AgencyKind::Avoid:
            break;
    }
    return {L::WizardAvoid1, L::WizardAvoid2, L::WizardAvoid3};
}

LanguageKey ConditionsText(AgencyKind kind, bool editing) {
    if (kind != AgencyKind::Avoid) {
        return LanguageKey::WizardSystem6;
    }
    return editing ? LanguageKey::WizardAvoid8 : LanguageKey::WizardAvoid7;
}

std::string PageHeader(int page) {
    return LanguageText(LanguageKey::Step) + " " + std::to_string(page) + ":";
}

bool SectionComplete(WizardSection section, const WizardInput& input) {
    switch (section) {
        case S::Name:
            return !input.name.empty() || input.nameFromFile;
        case S::Path:
            return input.pathIsFile;
        case S::Trigger:
            return !input.trigger.empty();
        default:
            return true;
    }
}

std::string NameFromFile(std::string_view path) {
    size_t slash = path.find_last_of("\\/");
    std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    size_t dot = file.rfind('.');
    std::string name(file.substr(0, dot == 0 ? file.size() : dot));
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

bool SectionStorable(WizardSection section, const WizardInput& input) {
    switch (section) {
        case S::Name:
            return AgencyFieldStorable(input.name);
        case S::Path:
            return AgencyFieldStorable(input.path);
        case S::Trigger:
            return AgencyFieldStorable(input.trigger);
        case S::Parameters:
            return AgencyFieldStorable(input.parameters);
        case S::Conditions:
            return AgencyFieldStorable(FormatConditionList(input.conditions));
        case S::Introduction:
            break;
    }
    return true;
}

ConditionValueProblem CheckConditionValue(std::string_view value) {
    if (value.find_first_of("{}") != std::string_view::npos) {
        return ConditionValueProblem::Bracket;
    }
    if (value.find(';') != std::string_view::npos) {
        return ConditionValueProblem::Semicolon;
    }
    return AgencyFieldStorable(value) ? ConditionValueProblem::None : ConditionValueProblem::Unstorable;
}

const char* ConditionUnitText(ConditionInput input, AgencyKind kind) {
    if (input == ConditionInput::Seconds) {
        return kind == AgencyKind::Avoid ? "" : kSecondsUnit;
    }
    return input == ConditionInput::Megabytes ? kMegabyteUnit : "";
}

AgencyRow BuildAgencyRow(AgencyKind kind, const WizardInput& input) {
    AgencyRow row;
    std::string conditions = FormatConditionList(input.conditions);
    if (kind == AgencyKind::Avoid) {
        row.fields = {input.trigger, conditions};
        return row;
    }
    std::string name = input.nameFromFile ? NameFromFile(input.path) : input.name;
    std::string second = kind == AgencyKind::SystemStart ? conditions : input.trigger;
    row.fields = {name, second, input.parameters, input.invisible ? kInvisibleMarker : "", input.path};
    return row;
}

WizardInput InputFromRow(AgencyKind kind, const AgencyRow& row) {
    WizardInput input;
    if (kind == AgencyKind::Avoid) {
        input.trigger = Field(row, 0);
        input.conditions = SplitConditionList(Field(row, 1));
    } else {
        input.name = Field(row, 0);
        if (kind == AgencyKind::SystemStart) {
            input.conditions = SplitConditionList(Field(row, 1));
        } else {
            input.trigger = Field(row, 1);
        }
        input.parameters = Field(row, 2);
        input.invisible = !Field(row, 3).empty();
        input.path = Field(row, 4);
    }
    // A trigger without a folder is a process name; a path is chosen as a file.
    input.triggerByName = !input.trigger.empty() && input.trigger.find_first_of("\\/") == std::string::npos;
    return input;
}

std::vector<std::string> ChooserProcessNames(std::vector<std::string> names) {
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& name) { return name.empty() || name == "?" || name == "IDLE"; }),
                names.end());
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::vector<uint32_t> WizardStripColours() {
    // From a deep blue (RGB 10, 36, 106) on the left to the dialog grey (RGB 212, 208, 200).
    const int from[3] = {10, 36, 106};
    const int to[3] = {212, 208, 200};
    std::vector<uint32_t> colours;
    colours.reserve(kWizardStripWidth * kWizardStripHeight);
    for (int y = 0; y < kWizardStripHeight; ++y) {
        for (int x = 0; x < kWizardStripWidth; ++x) {
            uint32_t colour = 0;
            for (int channel = 0; channel < 3; ++channel) {
                int value = from[channel] + (to[channel] - from[channel]) * x / (kWizardStripWidth - 1);
                colour |= static_cast<uint32_t>(value) << (8 * channel);
            }
            colours.push_back(colour);
        }
    }
    return colours;
}
