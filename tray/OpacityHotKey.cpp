#include "tray/OpacityHotKey.h"

#include <algorithm>

int OpacityLevelForMove(int dx) {
    double level = static_cast<double>(dx) / kOpacityCellWidth + 0.5;
    return std::clamp(static_cast<int>(level), 0, kOpacityLevelCount - 1);
}

std::string OpacityCellLabel(int level) {
    return std::to_string(level * 10) + "%";
}

OpacityTurn OpacityHotKeyTurn(OpacityState& state, bool keysDown, ForegroundKind foreground, int mouseX, int mouseY) {
    OpacityTurn turn;
    if (keysDown && foreground != ForegroundKind::Desktop && foreground != ForegroundKind::None) {
        if (foreground == ForegroundKind::Window && state.level == -1 && !state.hasTarget) {
            state.startX = state.lastX = mouseX;
            state.startY = state.lastY = mouseY;
            state.hasTarget = true;
            state.alpha = -1;
            turn.takeTarget = true;
            turn.showBar = true;
            turn.barX = mouseX - kOpacityBarLeftOfPointer;
            turn.barY = mouseY - kOpacityBarAbovePointer;
        }
        if (state.hasTarget) {
            // Measured to where the pointer is now, so the level follows the hand without a turn's lag.
            state.lastX = mouseX;
            state.lastY = mouseY;
            state.level = OpacityLevelForMove(state.lastX - state.startX);
            state.previousAlpha = state.alpha;
            state.alpha = kOpacityAlphas[state.level];
            if (state.alpha != state.previousAlpha) {
                turn.applyAlpha = true;
                turn.alpha = state.alpha;
            }
        }
        return turn;
    }
    if (state.level != -1 || state.hasTarget) {
        turn.hideBar = true;
    }
    // The target belongs to one press of the keys; the next press takes the window then in front.
    state.level = -1;
    state.hasTarget = false;
    return turn;
}
