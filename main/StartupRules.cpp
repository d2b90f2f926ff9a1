#include "main/StartupRules.h"

namespace {

constexpr unsigned kMouseMoveMessage = 0x0200;  // WM_MOUSEMOVE

}  // namespace

std::string TrayCompanionPath(const std::string& programFolder) {
    return programFolder + "\\vtlsystray.exe";
}

std::string TrayCompanionCommandLine(const std::string& companionPath) {
    return "\"" + companionPath + "\"";
}

void NoteLoopMessage(LoopPass& pass, unsigned message) {
    pass.arrived = true;
    if (message != kMouseMoveMessage) {
        pass.onlyMouseMoves = false;
    }
}

bool StatusNeedsDrawing(const LoopPass& pass) {
    return pass.arrived && !pass.onlyMouseMoves;
}

bool LoopIsIdle(const LoopPass& pass) {
    return !pass.arrived || pass.onlyMouseMoves;
}
