#include "hardware/SmartEvaluation.h"

#include <cmath>

#include "foundation/Language.h"

namespace {

// Attributes whose raw value counts bad events: any at all is worth a warning.
constexpr int kCountingAttributes[] = {1, 5, 7, 10, 11, 191, 196, 197, 198, 199, 201, 220, 221, 250, 254};
constexpr int kTemperatureAttribute = 194;

bool IsCountingAttribute(int id) {
    for (int counting : kCountingAttributes) {
        if (counting == id) {
            return true;
        }
    }
    return false;
}

// A later rule may add a penalty, but never makes a state look better than an earlier rule found it.
void Worsen(SmartState& state, SmartState to) {
    if (to > state) {
        state = to;
    }
}

}  // namespace

SmartEvaluation EvaluateSmart(const SmartTable& table) {
    SmartEvaluation evaluation;
    float score = 100.0f;
    for (int id = 0; id < 256; ++id) {
        const SmartAttribute& attribute = table[id];
        if (!IsAttributePresent(attribute)) {
            continue;
        }
        SmartState state = SmartGood;
        if (attribute.threshold >= attribute.current) {
            state = SmartCritical;
            score *= 0.75f;
        } else if (attribute.current <= attribute.threshold + 2) {
            state = SmartWarning;
            score *= 0.98f;
        } else if (attribute.worst <= attribute.threshold) {
            state = SmartWarning;
            score *= 0.95f;
        }
        if (IsCountingAttribute(id) && attribute.raw != 0) {
            Worsen(state, SmartWarning);
            score *= 0.98f;
        }
        if (id == kTemperatureAttribute && attribute.raw < 100) {
            if (attribute.raw >= 56) {
                Worsen(state, SmartCritical);
                score *= 0.75f;
            } else if (attribute.raw >= 41) {
                Worsen(state, SmartWarning);
                score *= 0.95f;
            }
        }
        evaluation.states[id] = state;
    }
    long rounded = std::lround(score);
    evaluation.percentage = static_cast<int>(rounded < 0 ? 0 : rounded > 100 ? 100 : rounded);
    return evaluation;
}

LanguageKey SmartVerdictKey(int percentage) {
    if (percentage <= 35) {
        return LanguageKey::SMARTCritical;
    }
    if (percentage <= 75) {
        return LanguageKey::SMARTDefective;
    }
    return percentage <= 99 ? LanguageKey::SMARTFaultless : LanguageKey::SMARTPerfect;
}

std::string SmartEvaluationText(int percentage) {
    return std::to_string(percentage) + "% (" + LanguageText(SmartVerdictKey(percentage)) + ")";
}

uint32_t SmartHealthColour(int percentage) {
    // percentage × 2.55 rounded, in whole numbers so that 50 % is 128 and not 127.49999.
    const int clamped = percentage < 0 ? 0 : percentage > 100 ? 100 : percentage;
    const uint32_t level = static_cast<uint32_t>((clamped * 255 + 50) / 100);
    return (level << 16) | (level << 8) | 0xFF;
}
