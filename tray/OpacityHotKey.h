#pragma once
// The opacity hot key: while right Alt and right Ctrl are held, moving the mouse sideways sets the
// foreground window's opacity in ten levels, shown on a bar of ten cells under the pointer. One
// call per turn of the loop decides what the Win32 side does.

#include <string>

constexpr int kOpacityLevelCount = 10;
constexpr int kOpacityCellWidth = 30;  // pixels of mouse movement per level, and of the bar per cell
constexpr int kOpacityBarWidth = 300;
constexpr int kOpacityBarHeight = 20;
constexpr int kOpacityBarLeftOfPointer = 15;
constexpr int kOpacityBarAbovePointer = 10;
constexpr int kFullyOpaque = 255;
constexpr char kOpacityBarTitle[] = "FastOpacity";
constexpr char kProgramManagerTitle[] = "Program Manager";

// 255 - level x 25.5, rounded half to even.
constexpr int kOpacityAlphas[kOpacityLevelCount] = {255, 230, 204, 178, 153, 128, 102, 76, 51, 26};

// The level for a pointer that moved `dx` pixels from where the keys went down.
int OpacityLevelForMove(int dx);
// "0%" to "90%".
std::string OpacityCellLabel(int level);

enum class ForegroundKind { None, Desktop, ProgramManager, Window };

struct OpacityState {
    int level = -1;  // -1 while the bar is hidden
    int startX = 0, startY = 0;
    int lastX = 0, lastY = 0;
    bool hasTarget = false;
    int alpha = -1;
    int previousAlpha = -1;
};

// What this turn asks of the windows.
struct OpacityTurn {
    bool takeTarget = false;  // the foreground window becomes the target
    bool showBar = false;     // at barX, barY
    int barX = 0, barY = 0;
    bool applyAlpha = false;  // set the target to `alpha` and redraw the bar
    int alpha = kFullyOpaque;
    bool hideBar = false;
};

OpacityTurn OpacityHotKeyTurn(OpacityState& state, bool keysDown, ForegroundKind foreground, int mouseX, int mouseY);
