#pragma once
// The health of a drive from its attribute table: a percentage, a verdict, and the state of every
// present attribute. Portable.

#include <array>
#include <cstdint>
#include <string>

#include "foundation/Language.h"
#include "hardware/SmartAttributes.h"

// In the order of the attribute list's state images.
enum SmartState : int { SmartGood = 0, SmartWarning = 1, SmartCritical = 2 };

struct SmartEvaluation {
    int percentage = 100;
    std::array<SmartState, 256> states{};  // meaningful for present attributes only
};

SmartEvaluation EvaluateSmart(const SmartTable& table);

LanguageKey SmartVerdictKey(int percentage);
// percentage + "% (" + verdict + ")".
std::string SmartEvaluationText(int percentage);
// Red at 0 %, fading to white at 100 % (a Windows colour value, 0x00BBGGRR).
uint32_t SmartHealthColour(int percentage);
